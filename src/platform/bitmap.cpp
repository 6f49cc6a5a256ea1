#include "platform/bitmap.h"

#include "platform/bmpcheck.h"
#include "platform/fileopen.h"
#include "platform/lasterror.h"
#include "platform/surface.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cerrno>


DibHandle LoadDIBFromFile(const char* fileName)
{
    // Opened by its bytes (a name from a Windows-made configuration need not be UTF-8), only
    // as a regular file, so a missing, unreadable or special file reports its real errno.
    errno = 0;
    QFile file;
    if (!openForReading(fileName, file)) {
        SetLastErrorFromErrno(EACCES);
        return nullptr;
    }
    const qint64 limitBytes = qint64(kBitmapAllocationLimitMb) << 20;
    const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    const BmpCheck check = checkBmp(mapped, file.size(), limitBytes);
    if (mapped != nullptr) {
        file.unmap(const_cast<uchar*>(mapped));
    }
    if (check != BmpCheck::Fine) {
        SetLastError(check == BmpCheck::TooLarge ? kBitmapTooLarge : kBitmapBadFormat);
        return nullptr;
    }
    QImageReader reader(&file);
    reader.setAllocationLimit(kBitmapAllocationLimitMb);
    reader.setAutoTransform(false);
    // Any format's declared size is checked before decoding; Qt tells no reason after a refusal.
    const QSize declared = reader.size();
    if (declared.isValid() && exceedsPixelLimit(declared.width(), declared.height(), limitBytes)) {
        SetLastError(kBitmapTooLarge);
        return nullptr;
    }
    QImage image;
    if (!reader.read(&image)) {
        SetLastError(kBitmapBadFormat);
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
    // The map is drawn on a canvas at least kMinimumCanvas large; a long thin map would need a
    // canvas far beyond the decoding limit.
    if (exceedsPixelLimit(std::max(dib->width(), kMinimumCanvas.width()),
                          std::max(dib->height(), kMinimumCanvas.height()), qint64(kBitmapAllocationLimitMb) << 20)) {
        SetLastError(kBitmapTooLarge);
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
