#include "platform/drawntiles.h"
#include "platform/surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr QRgb kBackground = 0xFF102030;

// Every pixel a drawing changed must lie in a tile it marked: a repaint restores only those.
::testing::AssertionResult changesAreMarked(const QImage& before, const QImage& after, const DrawnTiles& tiles)
{
    QRegion marked;
    for (const std::int32_t tile : tiles.marked()) {
        marked += tiles.tileRect(tile);
    }
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y) && !marked.contains(QPoint(x, y))) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") changed in an unmarked tile";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(DrawnTiles, EveryDrawingMarksTheTilesItChanges)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-300, 500);
    std::uniform_int_distribution<int> width(1, 12);
    QImage canvas(203, 157, QImage::Format_RGB32);
    for (int round = 0; round < 300; ++round) {
        canvas.fill(kBackground);
        const QImage before = canvas.copy();
        DrawnTiles tiles;
        {
            Surface dc(canvas, {}, &tiles);
            dc.SelectPen(Pen{PenStyle(random() % 5), width(random) * int(random() % 2) + 1, RGB(255, 0, 0)});
            dc.SelectBrush(Brush{Brush::Kind(random() % 3), HatchStyle(random() % 6), RGB(0, 0, 255)});
            const int a = coordinate(random);
            const int b = coordinate(random);
            const int c = coordinate(random);
            const int d = coordinate(random);
            switch (round % 5) {
            case 0:
                dc.MoveTo(a, b);
                dc.LineTo(c, d);
                break;
            case 1:
                dc.Ellipse(a, b, c, d);
                break;
            case 2:
                dc.Rectangle(a, b, c, d);
                break;
            case 3:
                dc.TextOut(a / 2, b / 2, "S 12");
                break;
            case 4:
                dc.SetPixel(a / 2, b / 2, RGB(1, 2, 3));
                break;
            }
        }
        ASSERT_TRUE(changesAreMarked(before, canvas, tiles)) << "drawing " << round;
    }
}

TEST(DrawnTiles, ALongDiagonalMarksTheTilesAlongItOnly)
{
    DrawnTiles tiles;
    tiles.resize(QSize(4096, 4096));
    tiles.markSegment(0, 0, 4095, 4095, 3);
    // Its bounding box holds 65536 tiles; the tiles along it are a few per step of one tile.
    EXPECT_GE(tiles.marked().size(), 256u);
    EXPECT_LE(tiles.marked().size(), 8 * 256u);
}

TEST(DrawnTiles, CopyPutsBackOnlyMarkedTilesAndTheRegionCoversThem)
{
    QImage map(50, 40, QImage::Format_RGB32);
    map.fill(0xFF00FF00);
    QImage canvas(70, 60, QImage::Format_RGB32);
    canvas.fill(kBackground);
    DrawnTiles tiles;
    tiles.resize(canvas.size());
    tiles.markPixel(5, 5);    // the tile 0..15 x 0..15, inside the map placed at (3, 2)
    tiles.markPixel(66, 50);  // outside the map
    copyMarkedTiles(tiles, map, QPoint(3, 2), canvas);
    EXPECT_EQ(canvas.pixel(3, 2), 0xFF00FF00);
    EXPECT_EQ(canvas.pixel(15, 15), 0xFF00FF00);
    EXPECT_EQ(canvas.pixel(2, 2), kBackground);
    EXPECT_EQ(canvas.pixel(16, 15), kBackground);
    EXPECT_EQ(canvas.pixel(66, 50), kBackground);
    // The last column of tiles is cut at the canvas edge.
    const QRegion region = tiles.region({1});
    EXPECT_EQ(region, QRegion(0, 0, 32, 16) + QRegion(64, 48, 6, 12));
}
