#include "sim/scanner.h"

#include "platform/pi.h"
#include "sim/geometry.h"
#include "sim/scanrecord.h"
#include "sim/walldistance.h"

#include <algorithm>
#include <array>
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

// Where a ray lies on the canvas: its origin and direction, and samples begin .. end, all on
// the canvas (none when begin > end).
struct RaySpan {
    double ox;
    double oy;
    double cosA;
    double sinA;
    int begin;
    int end;
};

RaySpan spanOf(int width, int height, int originX, int originY, double angle, int range)
{
    RaySpan span{double(originX), double(originY), std::cos(angle), std::sin(angle), 1, 0};
    if (range < 2) {
        return span;
    }
    double first = 1.0;
    double last = double(range) - 1.0;
    clipAxis(span.ox, span.cosA, width, first, last);
    clipAxis(span.oy, span.sinA, height, first, last);
    if (first > last) {
        return span;
    }
    // Both coordinates move monotonically along the ray, so the samples on the canvas form one
    // run; trimming the (conservative) ends leaves a loop that needs no bounds test.
    const auto inside = [&](int i) {
        const int x = truncToPixel(span.ox + double(i) * span.cosA);
        const int y = truncToPixel(span.oy + double(i) * span.sinA);
        return static_cast<unsigned>(x) < static_cast<unsigned>(width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(height);
    };
    int begin = static_cast<int>(first);
    int end = static_cast<int>(last);
    while (begin <= end && !inside(begin)) {
        ++begin;
    }
    while (end >= begin && !inside(end)) {
        --end;
    }
    span.begin = begin;
    span.end = end;
    return span;
}

// Returns the index of the first obstacle pixel of the span, or end + 1. Kept apart from
// ScanRay so the trace test is decided outside the hot loop.
template <bool Trace, typename Pixel>
int walkRay(Pixel* bits, qsizetype stride, const RaySpan& span)
{
    const QRgb obstacle = Surface::pixelOf(kObstacleColor);
    const QRgb traceColor = Surface::pixelOf(kScanTraceColor);
    for (int i = span.begin; i <= span.end; ++i) {
        const int x = static_cast<int>(span.ox + double(i) * span.cosA);
        const int y = static_cast<int>(span.oy + double(i) * span.sinA);
        Pixel* const pixel = bits + y * stride + x;
        if (*pixel == obstacle) {
            return i;
        }
        if constexpr (Trace) {
            *pixel = traceColor;
        }
    }
    return span.end + 1;
}

QPoint sampleAt(const RaySpan& span, int i)
{
    return {static_cast<int>(span.ox + double(i) * span.cosA), static_cast<int>(span.oy + double(i) * span.sinA)};
}

void recordHit(int originX, int originY, int x, int y, double angle, std::vector<ScanHit>* hits)
{
    const double distance = GetDistance(originX, originY, x, y);
    if (hits != nullptr) {
        hits->push_back(scanHit(originX, originY, {x, y}, angle));
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

ScanHit scanHit(int originX, int originY, QPoint hit, double angle)
{
    return {angle, hit.x(), hit.y(), static_cast<float>(GetDistance(originX, originY, hit.x(), hit.y()))};
}

ScanPixels scanPixels(const QImage& image)
{
    return {reinterpret_cast<const QRgb*>(image.constBits()), image.bytesPerLine() / qsizetype(sizeof(QRgb)),
            image.width(), image.height()};
}

std::optional<QPoint> castRay(const ScanPixels& pixels, int originX, int originY, double angle, int range)
{
    const RaySpan span = spanOf(pixels.width, pixels.height, originX, originY, angle, range);
    const int stop = walkRay<false>(pixels.bits, pixels.stride, span);
    if (stop > span.end) {
        return std::nullopt;
    }
    return sampleAt(span, stop);
}

void castRays(const WallDistances& walls, int originX, int originY, std::span<const double> angles, int range,
              std::optional<QPoint>* hits)
{
    // Rays walked side by side, a sample of each in turn: each ray's walk is one chain of
    // dependent steps (sample, distance, next sample), and the processor overlaps the chains.
    constexpr int kLanes = 4;
    struct Lane {
        RaySpan span;
        std::uint32_t scale;
        int i;
        std::size_t ray;
    };
    std::array<Lane, kLanes> lanes;
    std::size_t next = 0;
    // Starts the next ray that has samples on the map in `lane`; false when none is left.
    const auto start = [&](Lane& lane) {
        for (; next < angles.size(); ++next) {
            hits[next] = std::nullopt;
            lane.span = spanOf(walls.width, walls.height, originX, originY, angles[next], range);
            if (lane.span.begin <= lane.span.end) {
                // From a sample at distance d, sample j later lies at most ceil(j * m + e) pixels
                // away along each axis, m the larger of |cos|, |sin| and e the rounding of the
                // coordinates (far below 1e-6): samples up to (d - 1) * (1 - 1e-6) / m later are
                // free. The step is a fixed-point product rounded down, short in the chain.
                const double reach = 1.0 / std::max(std::abs(lane.span.cosA), std::abs(lane.span.sinA));
                lane.scale = static_cast<std::uint32_t>(reach * (1.0 - 1e-6) * 65536.0);
                lane.i = lane.span.begin;
                lane.ray = next++;
                return true;
            }
        }
        return false;
    };
    int active = 0;
    while (active < kLanes && start(lanes[active])) {
        ++active;
    }
    const std::uint8_t* distance = walls.distance.data();
    while (active > 0) {
        for (int k = 0; k < active; ++k) {
            Lane& lane = lanes[k];
            const QPoint sample = sampleAt(lane.span, lane.i);
            const std::uint32_t d =
                distance[std::size_t(sample.y()) * std::size_t(walls.width) + std::size_t(sample.x())];
            if (d == 0) {
                hits[lane.ray] = sample;
            } else {
                lane.i += 1 + int(((d - 1) * lane.scale) >> 16);
                if (lane.i <= lane.span.end) {
                    continue;
                }
            }
            if (!start(lane)) {
                lane = lanes[--active];
                --k;
            }
        }
    }
}

void ScanRay(Surface& dc, int originX, int originY, double angle, int range, bool trace, std::vector<ScanHit>* hits)
{
    const Surface::Raster raster = dc.raster();
    if (!trace) {
        const ScanPixels pixels{raster.bits, raster.stride, raster.width, raster.height};
        if (const std::optional<QPoint> hit = castRay(pixels, originX, originY, angle, range)) {
            recordHit(originX, originY, hit->x(), hit->y(), angle, hits);
        }
        return;
    }
    const RaySpan span = spanOf(raster.width, raster.height, originX, originY, angle, range);
    const int stop = walkRay<true>(raster.bits, raster.stride, span);
    if (stop <= span.end) {
        const QPoint hit = sampleAt(span, stop);
        recordHit(originX, originY, hit.x(), hit.y(), angle, hits);
    }
    if (stop > span.begin) {
        const QPoint first = sampleAt(span, span.begin);
        const QPoint last = sampleAt(span, stop - 1);
        // Each sample is truncated, so it lies within two pixels of the segment between the
        // truncated ends.
        dc.markTouchedLine(first.x(), first.y(), last.x(), last.y(), 2);
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

std::vector<SweepRay> sweepPixels(const ScanPixels& pixels, int originX, int originY, double heading, int range,
                                  float stepDivisor)
{
    std::vector<SweepRay> rays;
    for (const double angle : sweepAngles(heading, stepDivisor)) {
        const std::optional<QPoint> hit = castRay(pixels, originX, originY, angle, range);
        rays.push_back({angle, hit ? std::optional(scanHit(originX, originY, *hit, angle)) : std::nullopt});
    }
    return rays;
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
