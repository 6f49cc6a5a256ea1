#include "sim/rangenoise.h"

#include <algorithm>
#include <cmath>

namespace {

// Each ray's numbers: draw 0 for its angle, draw 1 for its reading.
constexpr std::uint32_t kAngleDraw = 0;
constexpr std::uint32_t kReadingDraw = 1;

} // namespace

double angleNoise(const RangeNoise& noise, const NoiseSource& source, std::uint32_t index, std::uint32_t ray)
{
    if (noise.angular == 0.0) {
        return 0.0;
    }
    const Uniforms u = uniforms(source.seed, index, ray, source.step, kAngleDraw);
    return noise.angular * normal(u.u[0], u.u[1]);
}

double noisyReading(const RangeNoise& noise, const NoiseSource& source, std::uint32_t index, std::uint32_t ray,
                    double exact, double range)
{
    const Uniforms u = uniforms(source.seed, index, ray, source.step, kReadingDraw);
    const double choice = u.u[0];
    double reading = exact;
    if (choice < noise.pShort) {
        // Inverse of the exponential's distribution cut at the exact distance.
        const double cut = 1.0 - std::exp(-noise.lambdaShort * exact);
        reading = -std::log1p(-u.u[1] * cut) / noise.lambdaShort;
    } else if (choice < noise.pShort + noise.pMax) {
        reading = range;
    } else if (choice < noise.pShort + noise.pMax + noise.pRand) {
        reading = u.u[1] * range;
    } else {
        reading = exact + (noise.sigma + noise.proportional * exact) * normal(u.u[2], u.u[3]);
    }
    return std::clamp(reading, 0.0, range);
}
