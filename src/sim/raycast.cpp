#include "sim/raycast.h"

#include "platform/pixelmath.h"
#include "platform/workshare.h"

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

int threadsWorthFor(std::size_t rays)
{
    // Measured on open maps, about 100 ns a ray: below this a thread of the pool costs more to
    // wake than its share of the rays saves.
    constexpr std::size_t kRaysPerThread = 8192;
    // Asking the system costs as much as casting a few rays.
    static const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    return int(std::clamp<std::size_t>(rays / kRaysPerThread, 1, cores));
}

PoseCaster::PoseCaster(const WallDistances& walls, std::span<const double> angles, int range)
    : m_walls(walls), m_angles(angles), m_range(range), m_absolute(angles.size()), m_hits(angles.size())
{
}

void PoseCaster::cast(const double* pose, float* out, bool* hit, const RangeNoise* noise, NoiseSource source,
                      std::uint32_t index)
{
    const int x = truncToPixel(pose[0]);
    const int y = truncToPixel(pose[1]);
    m_draws.resize(noise != nullptr ? m_angles.size() : 0);
    for (std::size_t a = 0; a < m_angles.size(); ++a) {
        m_absolute[a] = pose[2] + m_angles[a];
        if (noise != nullptr) {
            m_draws[a] = rayDraw(source, index, std::uint32_t(a));
            m_absolute[a] += angleNoise(*noise, m_draws[a]);
        }
    }
    castRays(m_walls, x, y, m_absolute, m_range, m_hits.data());
    for (std::size_t a = 0; a < m_angles.size(); ++a) {
        out[a] = m_hits[a] ? scanHit(x, y, *m_hits[a], m_absolute[a]).distance : float(m_range);
        if (noise != nullptr) {
            out[a] = float(noisyReading(*noise, m_draws[a], out[a], m_range));
        }
        if (hit != nullptr) {
            hit[a] = m_hits[a].has_value();
        }
    }
}

void castRays(const WallDistances& walls, const double* poses, std::size_t poseCount, std::span<const double> angles,
              int range, int threads, float* distances, bool* hit, const RangeNoise* noise, NoiseSource source)
{
    if (noise != nullptr && noise->none()) {
        noise = nullptr;
    }
    const std::size_t rays = angles.size();
    shareBlocks(poseCount, 16, threads, [&](std::size_t first, std::size_t last) {
        PoseCaster caster(walls, angles, range);
        for (std::size_t p = first; p < last; ++p) {
            caster.cast(poses + 3 * p, distances + p * rays, hit != nullptr ? hit + p * rays : nullptr, noise, source,
                        std::uint32_t(p));
        }
    });
}
