// Fuzzes the map loader: the input is written to a file, loaded, converted to the drawable
// bitmap and drawn at several offsets onto a small canvas, whose every pixel is then checked.
// A refused file must give its reason: too large when its header declares more than the limit.
#include "support.h"
#include "platform/bitmap.h"
#include "platform/bmpcheck.h"
#include "platform/lasterror.h"
#include "platform/surface.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <optional>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr QRgb kBackground = 0xFF123456u;

std::string g_file;

enum class Fit { Unknown, Within, Exceeds };

// Whether a size fits the decoding limit, counting 4 bytes a pixel as the loader does.
Fit fitsLimit(const QSize& size)
{
    if (!size.isValid()) {
        return Fit::Unknown;
    }
    // Pixels of 4 bytes in the limit, compared by division: declared sizes reach 2^31 a side.
    const qint64 pixels = qint64(kBitmapAllocationLimitMb) << 18;
    return size.height() > 0 && size.width() > pixels / size.height() ? Fit::Exceeds : Fit::Within;
}

// The fuzzer's memory budget. The loader decodes up to 1 GiB of pixels; a file declaring more
// than the budget but no more than the limit would be decoded in full, so it is skipped here
// (the tests load such maps).
constexpr qint64 kDecodeBudget = qint64(256) << 20;

bool beyondBudget(const std::uint8_t* data, std::size_t size)
{
    QSize declared;
    if (const std::optional<BmpHeader> bmp = readBmpHeader(data, qint64(size))) {
        declared = QSize(int(std::min<qint64>(bmp->width, INT_MAX)), int(std::min<qint64>(bmp->height, INT_MAX)));
    } else {
        QFile file(QString::fromStdString(g_file));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        declared = QImageReader(&file).size();
    }
    return fitsLimit(declared) == Fit::Within && qint64(declared.width()) * declared.height() * 4 > kDecodeBudget;
}

void checkDraw(const BitmapHandle& bitmap, int x, int y)
{
    QImage canvas(37, 23, QImage::Format_RGB32);
    canvas.fill(kBackground);
    QRect reported;
    {
        Surface surface(canvas, [&reported](const QRect& touched) { reported = touched; });
        FUZZ_CHECK(DrawBitmap(surface, x, y, bitmap) != 0);
    }
    // The part of the canvas the bitmap covers, in 64 bits: offsets may be near the int limits.
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t(x) + bitmap->width(), canvas.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t(y) + bitmap->height(), canvas.height());
    const bool covers = left < right && top < bottom;
    FUZZ_CHECK(covers ? reported == QRect(int(left), int(top), int(right - left), int(bottom - top))
                 : reported.isNull());
    for (int row = 0; row < canvas.height(); ++row) {
        const auto* pixels = reinterpret_cast<const QRgb*>(canvas.constScanLine(row));
        for (int column = 0; column < canvas.width(); ++column) {
            const bool inside = column >= left && column < right && row >= top && row < bottom;
            const QRgb expected = inside
                ? reinterpret_cast<const QRgb*>(bitmap->constScanLine(int(row - y)))[column - x]
                : kBackground;
            FUZZ_CHECK(pixels[column] == expected);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const std::string folder = makeScratchFolder("bitmap");
    g_file = folder + "/mapa.bmp";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(g_file.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
    if (beyondBudget(data, size)) {
        return 0;
    }

    const DibHandle dib = LoadDIBFromFile(g_file.c_str());
    if (!dib) {
        const int error = GetLastError();
        FUZZ_CHECK(error == kBitmapBadFormat || error == kBitmapTooLarge);
        // An image whose header declares more than the limit is refused as too large. A fresh
        // reader, opened as the loader opens it, tells the declared size.
        QFile file(QString::fromStdString(g_file));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        QImageReader probe(&file);
        if (fitsLimit(probe.size()) == Fit::Exceeds) {
            FUZZ_CHECK(error == kBitmapTooLarge);
        }
        return 0;
    }
    FUZZ_CHECK(!dib->isNull());
    FUZZ_CHECK(fitsLimit(dib->size()) == Fit::Within);
    const BitmapHandle bitmap = BitmapFromDIB(dib);
    if (!bitmap) {
        FUZZ_CHECK(GetLastError() == kBitmapTooLarge);
        return 0;
    }
    FUZZ_CHECK(bitmap->format() == QImage::Format_RGB32 && bitmap->size() == dib->size());

    const int w = bitmap->width();
    const int h = bitmap->height();
    checkDraw(bitmap, 0, 0);
    checkDraw(bitmap, -3, -2);
    checkDraw(bitmap, 30, 20);
    checkDraw(bitmap, 1 - w, 1 - h);
    checkDraw(bitmap, INT_MIN, INT_MAX);
    checkDraw(bitmap, INT_MAX, INT_MIN);
    return 0;
}
