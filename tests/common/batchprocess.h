#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

// What a run of `tav1 --batch -` left: its exit status (-1 when it died by a signal or ran over
// its time) and its two output streams.
struct BatchResult {
    int status = -1;
    QByteArray out;
    QByteArray err;
    // Standard output read as the JSON object of a Dump.
    QJsonObject json() const;
};

// Runs the program's batch mode in a fresh working directory of its own.
class BatchProcess {
public:
    BatchResult run(const QByteArray& script, const QStringList& options = {}, int timeoutMs = 30000) const;
    // Runs the program with `arguments` alone, standard input read from the file `input`.
    BatchResult runWith(const QStringList& arguments, const QString& input) const;
    QString dir() const { return m_dir.path(); }
    void writeFile(const QString& name, const QByteArray& content) const;
    QJsonObject readJson(const QString& name) const;

private:
    QTemporaryDir m_dir;
};
