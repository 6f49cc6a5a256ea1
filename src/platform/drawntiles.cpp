#include "platform/drawntiles.h"

#include "platform/pixelcopy.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

void DrawnTiles::resize(QSize size)
{
    m_canvasSize = size;
    m_columns = (std::max(size.width(), 0) + kTileSize - 1) >> kTileShift;
    m_rows = (std::max(size.height(), 0) + kTileSize - 1) >> kTileShift;
    m_flags.assign(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), 0);
    m_marked.clear();
}

void DrawnTiles::clear()
{
    for (const std::int32_t tile : m_marked) {
        m_flags[static_cast<std::size_t>(tile)] = 0;
    }
    m_marked.clear();
}

void DrawnTiles::markBox(int left, int top, int right, int bottom)
{
    for (int row = top >> kTileShift; row <= bottom >> kTileShift; ++row) {
        for (int column = left >> kTileShift; column <= right >> kTileShift; ++column) {
            mark(row * m_columns + column);
        }
    }
}

void DrawnTiles::markSegment(int x0, int y0, int x1, int y1, int reach)
{
    // Pieces no longer than a tile, each marked with its own box grown by one more pixel for
    // the rounding of the pieces' ends.
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    const std::int64_t pieces = std::max(std::abs(dx), std::abs(dy)) / kTileSize + 1;
    const int width = m_canvasSize.width();
    const int height = m_canvasSize.height();
    for (std::int64_t i = 0; i < pieces; ++i) {
        const std::int64_t ax = x0 + dx * i / pieces;
        const std::int64_t ay = y0 + dy * i / pieces;
        const std::int64_t bx = x0 + dx * (i + 1) / pieces;
        const std::int64_t by = y0 + dy * (i + 1) / pieces;
        const std::int64_t left = std::max<std::int64_t>(std::min(ax, bx) - reach - 1, 0);
        const std::int64_t top = std::max<std::int64_t>(std::min(ay, by) - reach - 1, 0);
        const std::int64_t right = std::min<std::int64_t>(std::max(ax, bx) + reach + 1, width - 1);
        const std::int64_t bottom = std::min<std::int64_t>(std::max(ay, by) + reach + 1, height - 1);
        if (left <= right && top <= bottom) {
            markBox(int(left), int(top), int(right), int(bottom));
        }
    }
}

QRect DrawnTiles::tileRect(std::int32_t tile) const
{
    const QRect rect((tile % m_columns) << kTileShift, (tile / m_columns) << kTileShift, kTileSize, kTileSize);
    return rect.intersected(QRect(QPoint(0, 0), m_canvasSize));
}

QRegion DrawnTiles::region(std::vector<std::int32_t> more) const
{
    // Sorted tile numbers run row by row, left to right: runs of neighbours in a row become one
    // rectangle, and the rectangles come in the banded order QRegion::setRects asks for.
    more.insert(more.end(), m_marked.begin(), m_marked.end());
    std::sort(more.begin(), more.end());
    more.erase(std::unique(more.begin(), more.end()), more.end());
    std::vector<QRect> rects;
    for (std::size_t i = 0; i < more.size();) {
        std::size_t end = i + 1;
        while (end < more.size() && more[end] == more[end - 1] + 1 && more[end] % m_columns != 0) {
            ++end;
        }
        rects.push_back(tileRect(more[i]).united(tileRect(more[end - 1])));
        i = end;
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void copyMarkedTiles(const DrawnTiles& tiles, const QImage& from, QPoint at, QImage& to)
{
    const bool copyable = from.depth() == 32 ? from.format() == to.format() : from.format() == QImage::Format_Indexed8;
    if (!copyable || to.depth() != 32 || tiles.canvasSize() != to.size()) {
        return;
    }
    const QRect placed = QRect(at, from.size()).intersected(to.rect());
    for (const std::int32_t tile : tiles.marked()) {
        const QRect area = tiles.tileRect(tile).intersected(placed);
        if (!area.isEmpty()) {
            copyPixels(from, at, to, area);
        }
    }
}
