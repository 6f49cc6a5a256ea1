#pragma once

#include <QtGlobal>

#include <optional>

// The size a PBM, PGM or PPM header (P1 to P6) declares, read before Qt decodes it: Qt's reader
// refuses a side over kPnmLargestSide without a reason, as if the file were no image.
struct PnmSize {
    qint64 width = 0;
    qint64 height = 0;
};

constexpr qint64 kPnmLargestSide = 32767;

// Nothing for data that does not start with such a header.
std::optional<PnmSize> readPnmSize(const uchar* data, qint64 size);
