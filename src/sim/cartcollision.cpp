#include "sim/cartcollision.h"

#include "platform/pixelmath.h"
#include "sim/scanner.h"

#include <vector>

// The drawing itself, made on a small image of a colour neither its pen nor its brush has.
std::vector<QPoint> cartFootprint(int radius)
{
    const int centre = 2 * radius + 2;
    const QRgb untouched = qRgb(1, 2, 3);
    QImage mask(2 * centre + 1, 2 * centre + 1, QImage::Format_RGB32);
    mask.fill(untouched);
    {
        Surface dc(mask);
        dc.SelectPen(kCartPen);
        dc.SelectBrush(kCartBrush);
        drawCartDisc(dc, centre, centre, radius);
    }
    std::vector<QPoint> covered;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.pixel(x, y) != untouched) {
                covered.emplace_back(x - centre, y - centre);
            }
        }
    }
    return covered;
}

void drawCartDisc(Surface& dc, int guideX, int guideY, int radius)
{
    dc.Ellipse(offsetPixel(guideX, -radius), offsetPixel(guideY, -radius), offsetPixel(guideX, radius),
               offsetPixel(guideY, radius));
}

bool cartHitsWall(const QImage& map, int guideX, int guideY)
{
    static const std::vector<QPoint> footprint = cartFootprint(kCartRadius);
    return footprintHitsWall(map, footprint, guideX, guideY);
}

bool footprintHitsWall(const QImage& map, const std::vector<QPoint>& footprint, int guideX, int guideY)
{
    const QRgb wall = Surface::pixelOf(kObstacleColor);
    for (const QPoint& offset : footprint) {
        const long long x = static_cast<long long>(guideX) + offset.x();
        const long long y = static_cast<long long>(guideY) + offset.y();
        if (x >= 0 && y >= 0 && x < map.width() && y < map.height()
            && (map.pixel(int(x), int(y)) | 0xff000000u) == wall) {
            return true;
        }
    }
    return false;
}
