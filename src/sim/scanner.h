#pragma once

// The range scanner: straight rays from the cart across the half-plane ahead of it. Each ray
// reads the canvas pixel by pixel (sample i at trunc(origin + i * (cos a, sin a)), i = 1 .. n-1)
// and stops at the first pixel of the obstacle colour, pure red. With the trace on, every free
// pixel a ray passes is painted green after it was tested. Angles in radians, clockwise on
// screen; distances in pixels.
//
// Results go to the program-wide scan record (farthest hit and its angle) and obstacle log.

#include "platform/surface.h"

#include <QImage>
#include <QPoint>

#include <optional>
#include <span>
#include <vector>

constexpr COLORREF kObstacleColor = RGB(255, 0, 0);
constexpr COLORREF kScanTraceColor = RGB(0, 255, 0);

// A hit as a run's recording keeps it: the ray's angle, the obstacle pixel and its distance as
// the obstacle log stores it.
struct ScanHit {
    double angle;
    int x;
    int y;
    float distance;
};

// The hit at `hit` of a ray from (originX, originY) at `angle`, its distance as the log stores it.
ScanHit scanHit(int originX, int originY, QPoint hit, double angle);

// The most rays one sweep casts: a step divisor beyond it would cast rays for hours.
constexpr int kMaxRaysPerSweep = 1 << 16;

// The pixels rays read: 32-bit pixels of the canvas's format, `stride` pixels a line.
struct ScanPixels {
    const QRgb* bits;
    qsizetype stride;
    int width;
    int height;
};
// The pixels of a 32-bit image (RGB32 or ARGB32).
ScanPixels scanPixels(const QImage& image);

// The pixel where one ray from (originX, originY) at `angle` first meets the obstacle colour over
// samples 1 .. range - 1, by ScanRay's rule, or nothing; it draws and records nothing, so rays
// over the same pixels can be cast from many threads.
std::optional<QPoint> castRay(const ScanPixels& pixels, int originX, int originY, double angle, int range);
// castRay's pixel for each of `angles` from one origin, into hits[0 .. angles.size()), found over
// a map's wall distances (walldistance.h, made from the same pixels) by stepping over the
// samples that cannot be walls.
struct WallDistances;
void castRays(const WallDistances& walls, int originX, int originY, std::span<const double> angles, int range,
              std::optional<QPoint>* hits);

// Walks one ray from (originX, originY) at `angle` over samples 1 .. range - 1. A hit updates
// the scan record when it is farther than the farthest so far, and is appended to the obstacle
// log while the log has room; given `hits`, it is appended there too, whatever the log's room.
// Samples off the canvas are free space; the ray stops early once it has left the canvas for
// good, which changes nothing.
void ScanRay(Surface& dc, int originX, int originY, double angle, int range, bool trace,
             std::vector<ScanHit>* hits = nullptr);

// One sweep from heading - pi/2 towards heading + pi/2 in steps of pi / stepDivisor, the angle
// accumulated ray by ray. A step that is not a positive finite number, or too small to move the
// angle, casts the first ray only. Returns the number of rays cast.
int sweep(Surface& dc, int originX, int originY, double heading, int range, float stepDivisor, bool trace,
          std::vector<ScanHit>* hits = nullptr);
// The angles of the rays of such a sweep, in the order they are cast.
std::vector<double> sweepAngles(double heading, float stepDivisor);

// One such sweep over pixels nothing draws on: each ray's angle, in the order cast, and its hit.
struct SweepRay {
    double angle;
    std::optional<ScanHit> hit;
};
std::vector<SweepRay> sweepPixels(const ScanPixels& pixels, int originX, int originY, double heading, int range,
                                  float stepDivisor);

// The last sweep as a plot shows it: where it looked and what it hit.
struct SweepRecord {
    bool swept = false; // false before the first sweep
    double heading = 0.0;
    int range = 0;
    float stepDivisor = 0.0f; // the rays' angles are sweepAngles(heading, stepDivisor)
    std::vector<ScanHit> hits;
};
