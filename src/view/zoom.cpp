#include "view/zoom.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The ladder: 1/32 .. 1/2, 1, 2 .. 16.
constexpr std::array<Zoom, 17> kLadder = {{{1, 32}, {1, 24}, {1, 16}, {1, 12}, {1, 8}, {1, 6}, {1, 4}, {1, 3}, {1, 2},
                                           {1, 1}, {2, 1}, {3, 1}, {4, 1}, {6, 1}, {8, 1}, {12, 1}, {16, 1}}};

qint64 floorDiv(qint64 a, qint64 b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

qint64 ceilDiv(qint64 a, qint64 b)
{
    return -floorDiv(-a, b);
}

} // namespace

Zoom Zoom::larger() const
{
    for (const Zoom& step : kLadder) {
        if (step.factor() > factor()) {
            return step;
        }
    }
    return *this;
}

Zoom Zoom::smaller() const
{
    for (auto step = kLadder.rbegin(); step != kLadder.rend(); ++step) {
        if (step->factor() < factor()) {
            return *step;
        }
    }
    return *this;
}

Zoom Zoom::toFit(QSize content, QSize area)
{
    const int width = std::max(content.width(), 1);
    const int height = std::max(content.height(), 1);
    const int areaWidth = std::max(area.width(), 1);
    const int areaHeight = std::max(area.height(), 1);
    const int in = std::min(areaWidth / width, areaHeight / height);
    if (in >= 1) {
        return {std::min(in, kLadder.back().in), 1};
    }
    const int out = std::max(int(ceilDiv(width, areaWidth)), int(ceilDiv(height, areaHeight)));
    return {1, std::min(out, kLadder.front().out)};
}

QSize Zoom::toScreen(QSize canvas) const
{
    return {int(ceilDiv(qint64(canvas.width()) * in, out)), int(ceilDiv(qint64(canvas.height()) * in, out))};
}

QRect Zoom::toScreen(const QRect& canvas) const
{
    if (canvas.isEmpty()) {
        return {};
    }
    const qint64 left = floorDiv(qint64(canvas.left()) * in, out);
    const qint64 top = floorDiv(qint64(canvas.top()) * in, out);
    const qint64 right = ceilDiv((qint64(canvas.right()) + 1) * in, out);
    const qint64 bottom = ceilDiv((qint64(canvas.bottom()) + 1) * in, out);
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

QPoint Zoom::toCanvas(QPoint screen) const
{
    return {int(floorDiv(qint64(screen.x()) * out, in)), int(floorDiv(qint64(screen.y()) * out, in))};
}

QRect Zoom::toCanvas(const QRect& screen) const
{
    if (screen.isEmpty()) {
        return {};
    }
    const QPoint topLeft = toCanvas(screen.topLeft());
    const qint64 right = ceilDiv((qint64(screen.right()) + 1) * out, in);
    const qint64 bottom = ceilDiv((qint64(screen.bottom()) + 1) * out, in);
    return QRect(topLeft.x(), topLeft.y(), int(right - topLeft.x()), int(bottom - topLeft.y()));
}

QImage meanOfBlocks(const QImage& canvas, const QRect& screen, int out)
{
    QImage result(screen.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    if (result.isNull() || canvas.format() != QImage::Format_RGB32) {
        return result;
    }
    std::vector<quint32> sums(static_cast<std::size_t>(screen.width()) * 3);
    std::vector<quint32> counts(static_cast<std::size_t>(screen.width()));
    for (int row = 0; row < screen.height(); ++row) {
        std::fill(sums.begin(), sums.end(), 0u);
        std::fill(counts.begin(), counts.end(), 0u);
        const int firstY = (screen.top() + row) * out;
        const int lastY = std::min(firstY + out, canvas.height());
        const int firstX = std::max(screen.left() * out, 0);
        const int lastX = std::min((screen.left() + screen.width()) * out, canvas.width());
        for (int y = std::max(firstY, 0); y < lastY; ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
            for (int x = firstX; x < lastX; ++x) {
                const std::size_t column = static_cast<std::size_t>(x / out - screen.left());
                const QRgb pixel = pixels[x];
                sums[3 * column] += quint32(qRed(pixel));
                sums[3 * column + 1] += quint32(qGreen(pixel));
                sums[3 * column + 2] += quint32(qBlue(pixel));
                ++counts[column];
            }
        }
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(row));
        for (std::size_t column = 0; column < counts.size(); ++column) {
            const quint32 n = counts[column];
            if (n > 0) {
                target[column] = qRgb(int((sums[3 * column] + n / 2) / n), int((sums[3 * column + 1] + n / 2) / n),
                                      int((sums[3 * column + 2] + n / 2) / n));
            }
        }
    }
    return result;
}
