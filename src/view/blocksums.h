#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

// The canvas's colour sums over blocks of 4 x 4 pixels, kept while the view is zoomed far out:
// a screen pixel standing for a block a multiple of 4 pixels wide is then the sum of a few
// cells instead of hundreds of canvas pixels, with the same mean as meanOfBlocks gives.
class BlockSums {
public:
    static constexpr int kCell = 4;

    bool empty() const { return m_cells.empty(); }
    // The canvas size summed: a canvas that grew since is summed again.
    QSize canvasSize() const { return m_canvasSize; }
    void clear();
    // Sums the whole canvas; left empty when the memory for it cannot be had.
    void build(const QImage& canvas);
    // Sums again the cells that pixels of `area` lie in, after the canvas changed there; a canvas
    // of another size empties them.
    void update(const QImage& canvas, const QRect& area);
    // meanOfBlocks(canvas, screen, out) for `out` a multiple of kCell, from the sums.
    QImage meanOfBlocks(const QRect& screen, int out) const;

private:
    void sumCells(const QImage& canvas, const QRect& cells);

    QSize m_canvasSize;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::array<std::uint16_t, 3>> m_cells;
};
