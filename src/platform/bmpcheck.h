#pragma once

#include <QtGlobal>

// What the header and pixel data of a BMP file promise, checked before Qt decodes it: Qt's
// reader accepts a file cut short (it fills or leaves the missing rows), so a map that lost
// part of its pixels is refused here, and a declared size beyond the decoding limit is refused
// before any pixel is read. Data that is not a BMP passes.
enum class BmpCheck { Fine, Truncated, TooLarge };

BmpCheck checkBmp(const uchar* data, qint64 size, qint64 limitBytes);

// Whether width x height pixels of 4 bytes exceed the limit, for any sizes up to 2^31 (the
// product would overflow 64 bits).
inline bool exceedsPixelLimit(qint64 width, qint64 height, qint64 limitBytes)
{
    return width > 0 && height > limitBytes / 4 / width;
}
