#pragma once

#include <QImage>

#include <memory>
#include <optional>
#include <string>

class Surface;

// The map bitmap in its two forms: the device-independent bitmap as read from the file, and
// the device bitmap made from it (the canvas's pixel format), which is what is drawn.
using DibHandle = std::shared_ptr<const QImage>;
using BitmapHandle = std::shared_ptr<const QImage>;

// Largest image the reader will decode, in megabytes of 32-bit pixels: a 16384 x 16384 map.
constexpr int kBitmapAllocationLimitMb = 1024;

// Whether width x height 32-bit pixels stay within the limit, for any sizes up to 2^31 (their
// product in bytes would overflow 64 bits).
inline bool fitsBitmapLimit(qint64 width, qint64 height)
{
    return width <= 0 || height <= (qint64(kBitmapAllocationLimitMb) << 20) / 4 / width;
}

// Error codes for failures the system call does not report through errno.
constexpr int kBitmapBadFormat = 11;  // not an image Qt can read (ERROR_BAD_FORMAT)
constexpr int kBitmapTooLarge = 8;    // decoded size beyond the limit (ERROR_NOT_ENOUGH_MEMORY)
constexpr int kBitmapNoBitmap = 6;    // null handle given (ERROR_INVALID_HANDLE)

// Reads an image file: BMP, or any format Qt recognises by content (PNG, PGM, …), decoded to
// `format`. The name is bytes (see platform/fileopen.h). Nothing on failure, with the reason as
// the last error (errno of the open, or one of the codes above; memory that cannot be had, or a
// side beyond what the format's reader takes, is the size error too).
std::optional<QImage> readImageFile(const std::string& fileName, QImage::Format format);

// The map bitmap: the image file decoded to the canvas's pixel format, so the drawable bitmap
// made from it shares its pixels. Null on failure, with the last error set.
DibHandle LoadDIBFromFile(const std::string& fileName);

// Makes the drawable bitmap from a DIB. Null on failure, with the last error set.
BitmapHandle BitmapFromDIB(const DibHandle& dib);

// A 32-bit image as 8-bit indices into a table of its colours, or a null image when it has more
// than 256 colours (or memory is short): maps have few, and kept so they take a quarter of the
// memory with every pixel given back exactly.
QImage indexedCopy(const QImage& image);

// Copies the whole bitmap (32-bit or indexed) unscaled with its top-left corner at (x, y)
// (raster operation: copy).
// With no bitmap nothing is drawn and the call succeeds. Returns nonzero on success.
int DrawBitmap(Surface& surface, int x, int y, const BitmapHandle& bitmap);
