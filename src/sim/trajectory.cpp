#include "sim/trajectory.h"

#include "platform/pi.h"
#include "sim/geometry.h"

#include <algorithm>
#include <cmath>

namespace {

struct Chord {
    float theta;
    float length;
    double cosTheta;
    double sinTheta;
};

Chord chordOf(const ChordPoints& points)
{
    Chord chord;
    chord.theta = static_cast<float>(GetBearing(points.startX, points.startY, points.endX, points.endY));
    chord.length = static_cast<float>(GetDistance(points.startX, points.startY, points.endX, points.endY));
    chord.cosTheta = std::cos(double(chord.theta));
    chord.sinTheta = std::sin(double(chord.theta));
    return chord;
}

void store(Surface& dc, TrajectoryPoint* buffer, int index, double x, double y, COLORREF color)
{
    dc.SetPixel(truncToPixel(x), truncToPixel(y), color);
    buffer[index].x = x;
    buffer[index].y = y;
}

// The sine generators; `first` is 0 for the full period (sample 0 is the start point) and 1 for
// the arch (the start point is stored as record 0 besides the samples).
TrajectoryResult generateSine(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& points, int amplitude,
                              float period, int first, COLORREF color)
{
    const Chord chord = chordOf(points);
    TrajectoryResult result{0, color};
    if (!(chord.length > 0.0f)) {
        return result;
    }
    buffer[0].x = points.startX;
    buffer[0].y = points.startY;
    result.count = 1;
    const float w = static_cast<float>(double(period) / double(chord.length));
    for (int i = first; i < kTrajectoryCapacity && double(i) < double(chord.length); ++i) {
        const double s = double(amplitude) * std::sin(double(i) * double(w));
        const double x = double(points.startX) + double(i) * chord.cosTheta + s * chord.sinTheta;
        const double y = double(points.startY) + double(i) * chord.sinTheta - s * chord.cosTheta;
        store(dc, buffer, i, x, y, color);
        result.count = i + 1;
    }
    return result;
}

} // namespace

TrajectoryResult generateSin2Pi(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& chord, int amplitude)
{
    return generateSine(dc, buffer, chord, amplitude, kTwoPi, 0, kSin2PiColor);
}

TrajectoryResult generateSinPi(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& chord, int amplitude)
{
    return generateSine(dc, buffer, chord, amplitude, kPi, 1, kSinPiColor);
}

TrajectoryResult generateLine(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& points)
{
    // The chord is a sine of amplitude 0: its offset terms add exact zeros.
    return generateSine(dc, buffer, points, 0, kPi, 1, kLineColor);
}

void replotTrajectory(Surface& dc, const TrajectoryPoint* buffer, int count, COLORREF color)
{
    const int last = std::clamp(count, 0, kTrajectoryCapacity);
    for (int i = 0; i < last; ++i) {
        dc.SetPixelV(truncToPixel(buffer[i].x), truncToPixel(buffer[i].y), color);
    }
}
