#include "sim/cartcollision.h"

#include "platform/pixelmath.h"
#include "sim/scanner.h"

#include <vector>

namespace {

// The pixels the cart's drawing covers, as offsets from the guide point: the drawing itself,
// made once on a small image of a colour neither its pen nor its brush has.
std::vector<QPoint> cartFootprint()
{
    constexpr int kCentre = 2 * kCartRadius;
    const QRgb untouched = qRgb(1, 2, 3);
    QImage mask(2 * kCentre + 1, 2 * kCentre + 1, QImage::Format_RGB32);
    mask.fill(untouched);
    {
        Surface dc(mask);
        dc.SelectPen(kCartPen);
        dc.SelectBrush(kCartBrush);
        drawCartDisc(dc, kCentre, kCentre);
    }
    std::vector<QPoint> covered;
    for (int y = 0; y < mask.height(); ++y) {
        for (int x = 0; x < mask.width(); ++x) {
            if (mask.pixel(x, y) != untouched) {
                covered.emplace_back(x - kCentre, y - kCentre);
            }
        }
    }
    return covered;
}

} // namespace

void drawCartDisc(Surface& dc, int guideX, int guideY)
{
    dc.Ellipse(offsetPixel(guideX, -kCartRadius), offsetPixel(guideY, -kCartRadius), offsetPixel(guideX, kCartRadius),
               offsetPixel(guideY, kCartRadius));
}

bool cartHitsWall(const QImage& map, int guideX, int guideY)
{
    static const std::vector<QPoint> footprint = cartFootprint();
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
