#include "view/blocksums.h"

#include <algorithm>
#include <new>

void BlockSums::clear()
{
    m_cells = {};
    m_canvasSize = QSize();
    m_columns = m_rows = 0;
}

void BlockSums::build(const QImage& canvas)
{
    clear();
    if (canvas.format() != QImage::Format_RGB32) {
        return;
    }
    const int columns = (canvas.width() + kCell - 1) / kCell;
    const int rows = (canvas.height() + kCell - 1) / kCell;
    try {
        m_cells.resize(std::size_t(columns) * std::size_t(rows));
    } catch (const std::bad_alloc&) {
        return;
    }
    m_canvasSize = canvas.size();
    m_columns = columns;
    m_rows = rows;
    sumCells(canvas, QRect(0, 0, columns, rows));
}

void BlockSums::update(const QImage& canvas, const QRect& area)
{
    if (empty()) {
        return;
    }
    if (canvas.size() != m_canvasSize) {
        // Summed again when next needed.
        clear();
        return;
    }
    const QRect pixels = area.intersected(canvas.rect());
    if (!pixels.isEmpty()) {
        sumCells(canvas, QRect(QPoint(pixels.left() / kCell, pixels.top() / kCell),
                               QPoint(pixels.right() / kCell, pixels.bottom() / kCell)));
    }
}

void BlockSums::sumCells(const QImage& canvas, const QRect& cells)
{
    const int firstX = cells.left() * kCell;
    const int lastX = std::min((cells.right() + 1) * kCell, canvas.width());
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        auto* line = m_cells.data() + std::size_t(row) * m_columns;
        for (int column = cells.left(); column <= cells.right(); ++column) {
            line[column] = {0, 0, 0};
        }
        const int lastY = std::min((row + 1) * kCell, canvas.height());
        for (int y = row * kCell; y < lastY; ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
            for (int x = firstX; x < lastX; ++x) {
                auto& cell = line[x / kCell];
                cell[0] = std::uint16_t(cell[0] + qRed(pixels[x]));
                cell[1] = std::uint16_t(cell[1] + qGreen(pixels[x]));
                cell[2] = std::uint16_t(cell[2] + qBlue(pixels[x]));
            }
        }
    }
}

QImage BlockSums::meanOfBlocks(const QRect& screen, int out) const
{
    QImage result(screen.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    if (result.isNull() || empty()) {
        return result;
    }
    const int span = out / kCell;
    std::vector<std::uint32_t> sums(std::size_t(screen.width()) * 3);
    for (int row = 0; row < screen.height(); ++row) {
        const int firstY = (screen.top() + row) * out;
        const int lastY = std::min(firstY + out, m_canvasSize.height());
        if (firstY < 0 || firstY >= lastY) {
            continue;
        }
        std::fill(sums.begin(), sums.end(), 0u);
        const int firstCellRow = firstY / kCell;
        const int lastCellRow = std::min(firstCellRow + span, m_rows);
        const int firstColumn = std::max(screen.left(), 0);
        const int lastColumn = std::min(screen.left() + screen.width(), (m_columns + span - 1) / span);
        for (int cellRow = firstCellRow; cellRow < lastCellRow; ++cellRow) {
            const auto* line = m_cells.data() + std::size_t(cellRow) * m_columns;
            for (int column = firstColumn; column < lastColumn; ++column) {
                std::uint32_t* sum = sums.data() + 3 * std::size_t(column - screen.left());
                const int lastCell = std::min((column + 1) * span, m_columns);
                for (int cell = column * span; cell < lastCell; ++cell) {
                    sum[0] += line[cell][0];
                    sum[1] += line[cell][1];
                    sum[2] += line[cell][2];
                }
            }
        }
        auto* target = reinterpret_cast<QRgb*>(result.scanLine(row));
        for (int column = firstColumn; column < lastColumn; ++column) {
            // The block's pixels on the canvas: cut at its right and bottom edges.
            const int firstX = column * out;
            const std::uint32_t n = std::uint32_t(std::min(firstX + out, m_canvasSize.width()) - firstX)
                * std::uint32_t(lastY - firstY);
            const std::uint32_t* sum = sums.data() + 3 * std::size_t(column - screen.left());
            target[column - screen.left()] =
                qRgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n));
        }
    }
    return result;
}
