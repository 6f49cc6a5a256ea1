#include "app/tav1doc.h"

#include "platform/fileopen.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool CTAV1Doc::OnNewDocument()
{
    m_path.clear();
    return true;
}

bool CTAV1Doc::OnOpenDocument(const std::string& path)
{
    QFile file;
    if (!openForReading(path, file)) {
        return false;
    }
    m_path = QFile::decodeName(QByteArray::fromStdString(absoluteName(path)));
    return true;
}

bool CTAV1Doc::OnSaveDocument(const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.commit()) {
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    return true;
}

QString CTAV1Doc::GetTitle() const
{
    return m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).fileName();
}
