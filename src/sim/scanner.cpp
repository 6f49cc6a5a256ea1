#include "sim/scanner.h"

#include "platform/pi.h"
#include "sim/geometry.h"
#include "sim/scanrecord.h"

#include <algorithm>
#include <cmath>

namespace {

// The samples i in [first, last] whose truncated coordinate along one axis can lie in
// [0, size): outside them the ray is off the canvas on that axis. Conservative by one sample.
void clipAxis(double origin, double direction, int size, double& first, double& last)
{
    if (direction == 0.0) {
        if (!(origin > -1.0 && origin < double(size))) {
            last = -1.0;
        }
        return;
    }
    // trunc(origin + i * direction) in [0, size) needs origin + i * direction in (-1, size).
    double a = (-1.0 - origin) / direction;
    double b = (double(size) - origin) / direction;
    if (a > b) {
        std::swap(a, b);
    }
    first = std::max(first, std::floor(a) - 1.0);
    last = std::min(last, std::ceil(b) + 1.0);
}

// Samples begin .. end, all on the canvas; returns the index of the first obstacle pixel, or
// end + 1. Kept apart from ScanRay so the trace test is decided outside the hot loop.
template <bool Trace>
int walkRay(const Surface::Raster& raster, double ox, double oy, double cosA, double sinA, int begin, int end)
{
    const QRgb obstacle = Surface::pixelOf(kObstacleColor);
    const QRgb traceColor = Surface::pixelOf(kScanTraceColor);
    QRgb* const bits = raster.bits;
    const qsizetype stride = raster.stride;
    for (int i = begin; i <= end; ++i) {
        const int x = static_cast<int>(ox + double(i) * cosA);
        const int y = static_cast<int>(oy + double(i) * sinA);
        QRgb* const pixel = bits + y * stride + x;
        if (*pixel == obstacle) {
            return i;
        }
        if constexpr (Trace) {
            *pixel = traceColor;
        }
    }
    return end + 1;
}

void recordHit(int originX, int originY, int x, int y, double angle, std::vector<ScanHit>* hits)
{
    const double distance = GetDistance(originX, originY, x, y);
    if (hits != nullptr) {
        hits->push_back({angle, x, y, static_cast<float>(distance)});
    }
    if (double(g_scanFarthestDistance) < distance) {
        g_scanFarthestDistance = static_cast<float>(distance);
        g_scanFarthestAngle = static_cast<float>(angle);
    }
    if (g_obstacleCount >= 0 && g_obstacleCount < kObstacleCapacity) {
        g_obstaclePoints[g_obstacleCount] = {x, y};
        g_obstacleValues[g_obstacleCount] = static_cast<float>(distance);
        ++g_obstacleCount;
    }
}

} // namespace

void ScanRay(Surface& dc, int originX, int originY, double angle, int range, bool trace, std::vector<ScanHit>* hits)
{
    if (range < 2) {
        return;
    }
    const Surface::Raster raster = dc.raster();
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const double ox = originX;
    const double oy = originY;
    double first = 1.0;
    double last = double(range) - 1.0;
    clipAxis(ox, cosA, raster.width, first, last);
    clipAxis(oy, sinA, raster.height, first, last);
    if (first > last) {
        return;
    }
    // Both coordinates move monotonically along the ray, so the samples on the canvas form one
    // run; trimming the (conservative) ends leaves a loop that needs no bounds test.
    const auto inside = [&](int i) {
        const int x = truncToPixel(ox + double(i) * cosA);
        const int y = truncToPixel(oy + double(i) * sinA);
        return static_cast<unsigned>(x) < static_cast<unsigned>(raster.width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(raster.height);
    };
    int begin = static_cast<int>(first);
    int end = static_cast<int>(last);
    while (begin <= end && !inside(begin)) {
        ++begin;
    }
    while (end >= begin && !inside(end)) {
        --end;
    }
    const int stop = trace ? walkRay<true>(raster, ox, oy, cosA, sinA, begin, end)
                           : walkRay<false>(raster, ox, oy, cosA, sinA, begin, end);
    if (stop <= end) {
        recordHit(originX, originY, static_cast<int>(ox + double(stop) * cosA),
                  static_cast<int>(oy + double(stop) * sinA), angle, hits);
    }
    if (trace && stop > begin) {
        const int x0 = static_cast<int>(ox + double(begin) * cosA);
        const int y0 = static_cast<int>(oy + double(begin) * sinA);
        const int x1 = static_cast<int>(ox + double(stop - 1) * cosA);
        const int y1 = static_cast<int>(oy + double(stop - 1) * sinA);
        // Each sample is truncated, so it lies within two pixels of the segment between the
        // truncated ends.
        dc.markTouchedLine(x0, y0, x1, y1, 2);
    }
}

std::vector<double> sweepAngles(double heading, float stepDivisor)
{
    std::vector<double> angles;
    const double step = double(kPi) / double(stepDivisor);
    const double end = heading + double(kHalfPi);
    double angle = heading - double(kHalfPi);
    for (;;) {
        angles.push_back(angle);
        const double next = angle + step;
        if (!(step > 0.0) || !std::isfinite(step) || next == angle || angles.size() >= kMaxRaysPerSweep) {
            break;
        }
        angle = next;
        if (!(angle < end)) {
            break;
        }
    }
    return angles;
}

int sweep(Surface& dc, int originX, int originY, double heading, int range, float stepDivisor, bool trace,
          std::vector<ScanHit>* hits)
{
    const std::vector<double> angles = sweepAngles(heading, stepDivisor);
    for (const double angle : angles) {
        ScanRay(dc, originX, originY, angle, range, trace, hits);
    }
    return int(angles.size());
}
