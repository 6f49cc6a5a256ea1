#pragma once

#include "sim/scanner.h"

#include <cstddef>
#include <span>

// Many rays at once over pixels that nothing draws on while they are cast: from each of
// `poseCount` poses (x, y, heading; x and y truncated to the pixel) at each of `angles` relative
// to the heading, by the scanner's rule. distances[pose * angles.size() + a] is the distance of
// the ray's hit as the obstacle log stores it, or `range` where it meets no wall. The poses are
// shared among `threads` threads (at least one); the results do not depend on how many.
void castRays(const ScanPixels& pixels, const double* poses, std::size_t poseCount, std::span<const double> angles,
              int range, int threads, float* distances);
