#pragma once

#include <QString>

// The document holds no data: it exists for its title and its file name only. Saving writes an
// empty file; opening reads nothing.
class CTAV1Doc {
public:
    bool OnNewDocument();
    // True when the file can be opened for reading; nothing is read from it.
    bool OnOpenDocument(const QString& path);
    // Writes an empty file (atomically); false when it cannot be written.
    bool OnSaveDocument(const QString& path);

    QString GetTitle() const;
    QString GetPathName() const { return m_path; }

private:
    QString m_path;
};
