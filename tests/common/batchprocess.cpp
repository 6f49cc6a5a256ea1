#include "common/batchprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

QJsonObject BatchResult::json() const
{
    return QJsonDocument::fromJson(out).object();
}

namespace {

BatchResult finish(QProcess& process, int timeoutMs)
{
    BatchResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

BatchResult BatchProcess::run(const QByteArray& script, const QStringList& options, int timeoutMs) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(QStringLiteral(TAV1_BINARY), QStringList{"--batch", "-"} + options);
    process.write(script);
    process.closeWriteChannel();
    return finish(process, timeoutMs);
}

BatchResult BatchProcess::runWith(const QStringList& arguments, const QString& input) const
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.setStandardInputFile(input);
    process.start(QStringLiteral(TAV1_BINARY), arguments);
    return finish(process, 30000);
}

void BatchProcess::writeFile(const QString& name, const QByteArray& content) const
{
    QFile file(QDir(m_dir.path()).filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(content);
    }
}

QJsonObject BatchProcess::readJson(const QString& name) const
{
    QFile file(QDir(m_dir.path()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
}
