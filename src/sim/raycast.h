#pragma once

#include "sim/rangenoise.h"
#include "sim/walldistance.h"

#include <QPoint>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Many rays at once over a map that nothing draws on, by its wall distances: from each of
// `poseCount` poses (x, y, heading; x and y truncated to the pixel) at each of `angles` relative
// to the heading, by the scanner's rule. distances[pose * angles.size() + a] is the distance of
// the ray's hit as the obstacle log stores it, or `range` where it meets no wall; given `hit`,
// hit[pose * angles.size() + a] says whether it met one (a hit can lie a little beyond `range`:
// its distance is from pixel to pixel, the sample rounded). The poses are shared among at most
// `threads` threads (at least one; see workshare.h); the results do not depend on how many.
// What a thread throws (memory running short) reaches the caller once the others have stopped.
// Given `noise`, each ray's angle and reading are drawn from it (rangenoise.h), keyed by the
// source's seed and step, the pose's index and the ray's: a noisy cast does not depend on the
// threads either.
void castRays(const WallDistances& walls, const double* poses, std::size_t poseCount, std::span<const double> angles,
              int range, int threads, float* distances, bool* hit = nullptr, const RangeNoise* noise = nullptr,
              NoiseSource source = {});

// One pose's rays at a time, by castRays' rule, with the buffers one thread reuses.
class PoseCaster {
public:
    PoseCaster(const WallDistances& walls, std::span<const double> angles, int range);
    // The distances of the rays of `pose` (x, y, heading) into out[0 .. angles.size()), and given
    // `hit`, whether each met a wall; `index` keys its noise.
    void cast(const double* pose, float* out, bool* hit = nullptr, const RangeNoise* noise = nullptr,
              NoiseSource source = {}, std::uint32_t index = 0);

private:
    const WallDistances& m_walls;
    std::span<const double> m_angles;
    int m_range;
    std::vector<double> m_absolute;
    std::vector<std::optional<QPoint>> m_hits;
    std::vector<Uniforms> m_draws; // each ray's noise
};

// The threads worth using for this many rays: one below a few thousand, up to every core.
int threadsWorthFor(std::size_t rays);
