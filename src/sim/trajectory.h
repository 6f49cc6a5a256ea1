#pragma once

// Reference trajectories from a start to an end point, sampled once per pixel of chord length.
//
// The chord's bearing theta and length L are rounded to 32-bit reals; all per-sample arithmetic
// is double precision and pixels are the samples truncated toward zero. Each generator plots
// its samples as single pixels, writes them into the trajectory buffer (record index = sample
// index; later records are left as they were) and stops at the buffer's end.

#include "platform/surface.h"
#include "sim/trajectorypoint.h"

struct ChordPoints {
    int startX;
    int startY;
    int endX;
    int endY;
};

// What a generator stored: records 0 .. count - 1, plotted in `color`.
struct TrajectoryResult {
    int count = 0;
    COLORREF color = RGB(0, 0, 0);
};

constexpr COLORREF kSin2PiColor = RGB(255, 0, 0);
constexpr COLORREF kSinPiColor = RGB(0, 0, 255);
constexpr COLORREF kLineColor = RGB(0, 128, 128);
// A path read from a file: not the obstacle red, so its drawing never stops the scanner.
constexpr COLORREF kLoadedPathColor = RGB(128, 0, 128);

// One full sine period of `amplitude` pixels along the chord; sample 0 is the start point.
TrajectoryResult generateSin2Pi(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& chord, int amplitude);
// One arch (half a period); samples 1, 2, ... with record 0 the start point.
TrajectoryResult generateSinPi(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& chord, int amplitude);
// The chord itself; samples 1, 2, ... with record 0 the start point.
TrajectoryResult generateLine(Surface& dc, TrajectoryPoint* buffer, const ChordPoints& chord);

// Plots records 0 .. count - 1 again (count is clamped to the buffer).
void replotTrajectory(Surface& dc, const TrajectoryPoint* buffer, int count, COLORREF color);
