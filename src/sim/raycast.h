#pragma once

#include "sim/walldistance.h"

#include <cstddef>
#include <span>

// Many rays at once over a map that nothing draws on, by its wall distances: from each of
// `poseCount` poses (x, y, heading; x and y truncated to the pixel) at each of `angles` relative
// to the heading, by the scanner's rule. distances[pose * angles.size() + a] is the distance of
// the ray's hit as the obstacle log stores it, or `range` where it meets no wall. The poses are
// shared among `threads` threads (at least one); the results do not depend on how many. What a
// thread throws (memory running short) reaches the caller, once the other threads have stopped.
void castRays(const WallDistances& walls, const double* poses, std::size_t poseCount, std::span<const double> angles,
              int range, int threads, float* distances);
