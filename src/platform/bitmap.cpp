#include "platform/bitmap.h"

#include "platform/bmpcheck.h"
#include "platform/fileopen.h"
#include "platform/lasterror.h"
#include "platform/pnmcheck.h"
#include "platform/surface.h"

#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <cerrno>

std::optional<QImage> readImageFile(const std::string& fileName, QImage::Format format)
{
    // Opened by its bytes (a name from a Windows-made configuration need not be UTF-8), only
    // as a regular file, so a missing, unreadable or special file reports its real errno.
    errno = 0;
    QFile file;
    if (!openForReading(fileName, file)) {
        SetLastErrorFromErrno(EACCES);
        return std::nullopt;
    }
    const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr;
    const std::optional<BmpHeader> bmp = readBmpHeader(mapped, file.size());
    const std::optional<PnmSize> pnm = readPnmSize(mapped, file.size());
    if (mapped != nullptr) {
        file.unmap(const_cast<uchar*>(mapped));
    }
    QImageReader reader(&file);
    reader.setAllocationLimit(kBitmapAllocationLimitMb);
    reader.setAutoTransform(false);
    // The declared size is checked before decoding, as Qt tells no reason after a refusal: a
    // BMP's and a PGM's (or PBM's, PPM's) from their own headers (Qt refuses very large ones as
    // unreadable), any other format's from Qt.
    const QSize qtSize = reader.size();
    BmpHeader declared = bmp.value_or(BmpHeader{qtSize.width(), qtSize.height(), true});
    if (pnm) {
        declared = BmpHeader{pnm->width, pnm->height, true};
    }
    if (!fitsBitmapLimit(declared.width, declared.height)
        || (pnm && std::max(pnm->width, pnm->height) > kPnmLargestSide)) {
        SetLastError(kBitmapTooLarge);
        return std::nullopt;
    }
    if (!declared.complete) {
        SetLastError(kBitmapBadFormat);
        return std::nullopt;
    }
    // Qt's readers tell no reason when the memory for the pixels cannot be had, so whether it
    // can is asked first (memory never touched costs nothing). Within the limit, the sizes fit
    // an int.
    if (declared.width > 0 && declared.height > 0
        && QImage(int(declared.width), int(declared.height), format).isNull()) {
        SetLastError(kBitmapTooLarge);
        return std::nullopt;
    }
    QImage image;
    if (!reader.read(&image)) {
        SetLastError(kBitmapBadFormat);
        return std::nullopt;
    }
    image.convertTo(format);
    if (image.isNull()) {
        SetLastError(kBitmapTooLarge);
        return std::nullopt;
    }
    return image;
}

QImage indexedCopy(const QImage& image)
{
    // Qt's own conversion to indices dithers or approximates colours; a map must come back exact.
    QImage indexed(image.size(), QImage::Format_Indexed8);
    if (indexed.isNull() || image.depth() != 32) {
        return {};
    }
    // An open-addressed table of the colours met so far; maps hold long runs of one colour, so
    // the last one is tried first.
    constexpr std::size_t kSlots = 1024;
    std::array<QRgb, kSlots> keys{};
    std::array<int, kSlots> indices;
    indices.fill(-1);
    QList<QRgb> colours;
    QRgb last = 0;
    uchar lastIndex = 0;
    bool any = false;
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* target = indexed.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = source[x];
            if (!any || colour != last) {
                std::size_t slot = (colour * 2654435761u) >> 22;
                while (indices[slot] >= 0 && keys[slot] != colour) {
                    slot = (slot + 1) % kSlots;
                }
                if (indices[slot] < 0) {
                    if (colours.size() == 256) {
                        return {};
                    }
                    keys[slot] = colour;
                    indices[slot] = int(colours.size());
                    colours.append(colour);
                }
                last = colour;
                lastIndex = uchar(indices[slot]);
                any = true;
            }
            target[x] = lastIndex;
        }
    }
    indexed.setColorTable(colours);
    return indexed;
}

DibHandle LoadDIBFromFile(const std::string& fileName)
{
    std::optional<QImage> image = readImageFile(fileName, QImage::Format_RGB32);
    return image ? std::make_shared<const QImage>(*std::move(image)) : nullptr;
}

BitmapHandle BitmapFromDIB(const DibHandle& dib)
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
