#include "sim/raycast.h"

#include "platform/pixelmath.h"
#include "platform/workshare.h"

#include <algorithm>
#include <atomic>
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

void castRays(const WallDistances& walls, const double* poses, std::size_t poseCount, std::span<const double> angles,
              int range, int threads, float* distances, bool* hit, const RangeNoise* noise, NoiseSource source)
{
    if (noise != nullptr && noise->none()) {
        noise = nullptr;
    }
    const auto castPoses = [&](std::size_t first, std::size_t last) {
        std::vector<double> absolute(angles.size());
        std::vector<std::optional<QPoint>> hits(angles.size());
        for (std::size_t p = first; p < last; ++p) {
            const double* pose = poses + 3 * p;
            const int x = truncToPixel(pose[0]);
            const int y = truncToPixel(pose[1]);
            for (std::size_t a = 0; a < angles.size(); ++a) {
                absolute[a] = pose[2] + angles[a]
                              + (noise != nullptr ? angleNoise(*noise, source, std::uint32_t(p), std::uint32_t(a)) : 0.0);
            }
            castRays(walls, x, y, absolute, range, hits.data());
            float* out = distances + p * angles.size();
            for (std::size_t a = 0; a < angles.size(); ++a) {
                out[a] = hits[a] ? scanHit(x, y, *hits[a], absolute[a]).distance : float(range);
                if (noise != nullptr) {
                    out[a] = float(noisyReading(*noise, source, std::uint32_t(p), std::uint32_t(a), out[a], range));
                }
            }
            if (hit != nullptr) {
                for (std::size_t a = 0; a < angles.size(); ++a) {
                    hit[p * angles.size() + a] = hits[a].has_value();
                }
            }
        }
    };
    // Poses handed out a block at a time, so a thread that runs slower (long rays, or a core
    // shared with another program) takes fewer blocks instead of holding the others up.
    constexpr std::size_t kBlock = 16;
    std::atomic<std::size_t> next{0};
    const std::size_t blocks = (poseCount + kBlock - 1) / kBlock;
    const std::size_t workers =
        std::clamp<std::size_t>(std::size_t(std::max(threads, 1)), 1, std::max<std::size_t>(blocks, 1));
    shareWork(workers, [&](const std::atomic<bool>& stop) {
        for (std::size_t first = next.fetch_add(kBlock); first < poseCount && !stop; first = next.fetch_add(kBlock)) {
            castPoses(first, std::min(first + kBlock, poseCount));
        }
    });
}
