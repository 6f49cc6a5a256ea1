#pragma once

#include <QString>

#include <string>

// The document holds no data: it exists for its title and its file name only. Saving writes an
// empty file; opening reads nothing.
class CTAV1Doc {
public:
    bool OnNewDocument();
    // True when the file (its name in bytes, see platform/fileopen.h) can be opened for reading;
    // nothing is read from it.
    bool OnOpenDocument(const std::string& path);
    // Writes an empty file (atomically); false when it cannot be written.
    bool OnSaveDocument(const std::string& path);

    QString GetTitle() const;
    QString GetPathName() const { return m_path; }

private:
    QString m_path;
};
