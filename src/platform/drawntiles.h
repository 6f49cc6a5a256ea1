#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <vector>

// The canvas as a grid of small tiles, remembering which were drawn over: a repaint then puts
// back only those instead of the whole map. Marking is on the drawing's hot path (the scanner
// marks pixel by pixel), so it is a flag test and, the first time only, an append.
class DrawnTiles {
public:
    static constexpr int kTileShift = 4;
    static constexpr int kTileSize = 1 << kTileShift;

    // Covers a canvas of `size`, nothing marked.
    void resize(QSize size);
    QSize canvasSize() const { return m_canvasSize; }
    void clear();
    bool empty() const { return m_marked.empty(); }

    // Coordinates are on the canvas (the caller clips).
    void markPixel(int x, int y)
    {
        mark((y >> kTileShift) * m_columns + (x >> kTileShift));
    }
    // An inclusive box.
    void markBox(int left, int top, int right, int bottom);
    // Every pixel within `reach` of the segment (drawn lines stray a pixel from the ideal one),
    // clipped to the canvas; a long diagonal marks the tiles along it, not its bounding box.
    void markSegment(int x0, int y0, int x1, int y1, int reach);

    // The marked tiles, in the order they were first marked.
    const std::vector<std::int32_t>& marked() const { return m_marked; }
    // A tile's pixels, cut to the canvas.
    QRect tileRect(std::int32_t tile) const;
    // The marked tiles together with `more` (tile numbers of the same grid) as one region.
    QRegion region(std::vector<std::int32_t> more) const;

private:
    void mark(std::int32_t tile)
    {
        if (m_flags[static_cast<std::size_t>(tile)] == 0) {
            m_flags[static_cast<std::size_t>(tile)] = 1;
            m_marked.push_back(tile);
        }
    }

    QSize m_canvasSize;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::uint8_t> m_flags;
    std::vector<std::int32_t> m_marked;
};

// Copies `from` (32-bit like `to`, or 8-bit colour indices), placed with its top-left corner at
// `at`, into `to` wherever a marked tile of `tiles` (a grid of `to`) overlaps it.
void copyMarkedTiles(const DrawnTiles& tiles, const QImage& from, QPoint at, QImage& to);
