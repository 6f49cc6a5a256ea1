#pragma once

#include <QtGlobal>

// What the header and pixel data of a BMP file promise, checked before Qt decodes it: Qt's
// reader accepts a file cut short (it fills or leaves the missing rows), so a map that lost
// part of its pixels is refused here, and a declared size beyond the decoding limit is refused
// before any pixel is read. Data that is not a BMP passes.
enum class BmpCheck { Fine, Truncated, TooLarge };

BmpCheck checkBmp(const uchar* data, qint64 size, qint64 limitBytes);
