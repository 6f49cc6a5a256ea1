#include "app/tav1doc.h"

#include "platform/fileopen.h"
#include "platform/filewrite.h"

#include <QFile>
#include <QFileInfo>

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

bool CTAV1Doc::OnSaveDocument(const std::string& path)
{
    if (!writeFileWhole(path, {})) {
        return false;
    }
    m_path = QFile::decodeName(QByteArray::fromStdString(absoluteName(path)));
    return true;
}

QString CTAV1Doc::GetTitle() const
{
    return m_path.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_path).fileName();
}
