#include "platform/bitmap.h"

#include "platform/lasterror.h"
#include "platform/surface.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <cerrno>
#include <cstring>

namespace {

quint32 readLe32(const char* bytes)
{
    quint32 value = 0;
    std::memcpy(&value, bytes, sizeof(value));
    return qFromLittleEndian(value);
}

enum class BmpCheck { Fine, Truncated, TooLarge };

// Qt's BMP reader accepts a file cut short and fills the missing rows; a map that lost part of
// its pixels must be refused instead. Also refuses a declared size beyond the decoding limit
// before any pixel is read. Files that are not BMP pass.
BmpCheck checkBmpHeader(QFile& file)
{
    const QByteArray head = file.peek(54);
    if (head.size() < 54 || !head.startsWith("BM")) {
        return BmpCheck::Fine;
    }
    const qint64 offset = readLe32(head.constData() + 10);
    const qint64 width = qAbs(qint64(qint32(readLe32(head.constData() + 18))));
    const qint64 height = qAbs(qint64(qint32(readLe32(head.constData() + 22))));
    const qint64 bitsPerPixel = readLe32(head.constData() + 28) & 0xFFFF;
    const quint32 compression = readLe32(head.constData() + 30);
    const qint64 imageSize = readLe32(head.constData() + 34);
    if (width * height * 4 > qint64(kBitmapAllocationLimitMb) << 20) {
        return BmpCheck::TooLarge;
    }
    constexpr quint32 kRgb = 0;
    constexpr quint32 kBitfields = 3;
    qint64 needed = offset + imageSize;
    if (compression == kRgb || compression == kBitfields) {
        needed = offset + (width * bitsPerPixel + 31) / 32 * 4 * height;
    }
    return file.size() < needed ? BmpCheck::Truncated : BmpCheck::Fine;
}

} // namespace

DibHandle LoadDIBFromFile(const char* fileName)
{
    const QString name = QFile::decodeName(fileName);
    // Open the file ourselves first so a missing or unreadable file reports its real errno.
    QFile file(name);
    errno = 0;
    if (QFileInfo(name).isDir()) {
        SetLastError(EISDIR);
        return nullptr;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        SetLastErrorFromErrno(EACCES);
        return nullptr;
    }
    const BmpCheck check = checkBmpHeader(file);
    if (check != BmpCheck::Fine) {
        SetLastError(check == BmpCheck::TooLarge ? kBitmapTooLarge : kBitmapBadFormat);
        return nullptr;
    }
    QImageReader reader(&file);
    reader.setAllocationLimit(kBitmapAllocationLimitMb);
    reader.setAutoTransform(false);
    QImage image;
    if (!reader.read(&image)) {
        // Qt reports no reason; a size beyond the limit is the one we can tell apart.
        const QSize declared = reader.size();
        const bool tooLarge = declared.isValid()
            && qint64(declared.width()) * declared.height() * 4 > qint64(kBitmapAllocationLimitMb) << 20;
        SetLastError(tooLarge ? kBitmapTooLarge : kBitmapBadFormat);
        return nullptr;
    }
    return std::make_shared<const QImage>(std::move(image));
}

BitmapHandle BitmapFromDIB(const DibHandle& dib, const PaletteHandle&)
{
    if (!dib || dib->isNull()) {
        SetLastError(kBitmapNoBitmap);
        return nullptr;
    }
    QImage converted = dib->convertToFormat(QImage::Format_RGB32);
    if (converted.isNull()) {
        SetLastError(kBitmapTooLarge);
        return nullptr;
    }
    return std::make_shared<const QImage>(std::move(converted));
}

int DrawBitmap(Surface& surface, int x, int y, const BitmapHandle& bitmap)
{
    if (bitmap) {
        surface.DrawImage(x, y, *bitmap);
    }
    return 1;
}
