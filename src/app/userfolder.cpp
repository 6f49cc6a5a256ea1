#include "app/userfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

constexpr const char* kSeedFiles[] = {"mapa.bmp", "tav.ini"};

} // namespace

QString prepareUserFolder(const QString& folder, const QString& examples)
{
    if (QFileInfo(folder).isDir()) {
        return {};
    }
    if (!QDir().mkpath(folder)) {
        return QStringLiteral("Cannot create the folder %1").arg(folder);
    }
    for (const char* name : kSeedFiles) {
        const QString source = QDir(examples).filePath(QLatin1String(name));
        const QString target = QDir(folder).filePath(QLatin1String(name));
        // A program run from its build folder has no installed samples; the folder then starts
        // empty, as any new working folder does.
        if (!QFile::exists(source)) {
            continue;
        }
        if (!QFile::copy(source, target)) {
            return QStringLiteral("Cannot copy %1 to %2").arg(source, folder);
        }
        // Installed files may be read-only; the user's copies are the user's to change.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return {};
}

QString userFolderPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("TAV1"));
}

QString installedExamplesPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tav1/example"));
}
