#pragma once

#include <QtGlobal>

#include <optional>

// What the header of a BMP file declares, read before Qt decodes it.
struct BmpHeader {
    qint64 width = 0;
    qint64 height = 0;
    // Whether the pixel data the header promises are all in the file: Qt's reader accepts a file
    // cut short (it fills or leaves the missing rows), so a map that lost part of its pixels is
    // refused.
    bool complete = true;
};

// Nothing for data that is not a BMP or has a header of a kind not known here.
std::optional<BmpHeader> readBmpHeader(const uchar* data, qint64 size);
