#include "sim/cartcollision.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

const QRgb kWall = qRgb(255, 0, 0);
const QRgb kFloor = qRgb(255, 255, 255);
// Neither the cart's pen nor its brush (hatch lines over white) has this colour.
const QRgb kUntouched = qRgb(10, 20, 30);

} // namespace

// A wall pixel anywhere near the guide point collides exactly where the cart's drawing covers
// it, wherever on the canvas the cart is drawn, and a map placed elsewhere is read in its own
// pixels; pixels off the map are no walls.
TEST(CartCollision, AWallPixelCollidesExactlyWhereTheCartsDrawingCoversIt)
{
    const QPoint guides[] = {{20, 20}, {101, 57}, {3001, 2099}};
    for (const QPoint guide : guides) {
        QImage canvas(guide.x() + 40, guide.y() + 40, QImage::Format_RGB32);
        canvas.fill(kUntouched);
        {
            Surface dc(canvas);
            dc.SelectPen(kCartPen);
            dc.SelectBrush(kCartBrush);
            drawCartDisc(dc, guide.x(), guide.y());
        }
        // The map lies at (5, 3) on the canvas: the guide point is (guide - (5, 3)) on it.
        QImage map(canvas.width() - 5, canvas.height() - 3, QImage::Format_RGB32);
        map.fill(kFloor);
        int covered = 0;
        for (int y = guide.y() - 12; y <= guide.y() + 12; ++y) {
            for (int x = guide.x() - 12; x <= guide.x() + 12; ++x) {
                map.setPixel(x - 5, y - 3, kWall);
                const bool drawn = canvas.pixel(x, y) != kUntouched;
                covered += drawn ? 1 : 0;
                EXPECT_EQ(cartHitsWall(map, guide.x() - 5, guide.y() - 3), drawn) << x << "," << y;
                map.setPixel(x - 5, y - 3, kFloor);
            }
        }
        EXPECT_GT(covered, 150) << "the disc of radius 8 is drawn";
    }
    QImage tiny(4, 4, QImage::Format_RGB32);
    tiny.fill(kWall);
    EXPECT_TRUE(cartHitsWall(tiny, -4, 1));
    EXPECT_FALSE(cartHitsWall(tiny, -12, 2));
    EXPECT_FALSE(cartHitsWall(tiny, INT_MIN, INT_MAX));
    EXPECT_FALSE(cartHitsWall(QImage(), 0, 0));
    // The map's first column and first row are walls like any other.
    tiny.fill(kFloor);
    for (int i = 0; i < 4; ++i) {
        tiny.setPixel(0, i, kWall);
    }
    EXPECT_TRUE(cartHitsWall(tiny, -4, 1));
    EXPECT_TRUE(cartHitsWall(tiny.transformed(QTransform(0, 1, 1, 0, 0, 0)), 1, -4));
}
