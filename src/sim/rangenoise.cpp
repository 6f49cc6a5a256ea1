#include "sim/rangenoise.h"

#include <algorithm>
#include <cmath>

Uniforms rayDraw(const NoiseSource& source, std::uint32_t index, std::uint32_t ray)
{
    return uniforms(source.seed, index, ray, source.step, 0);
}

double angleNoise(const RangeNoise& noise, const Uniforms& draw)
{
    return noise.angular == 0.0 ? 0.0 : noise.angular * normal(draw.u[3]);
}

double noisyReading(const RangeNoise& noise, const Uniforms& draw, double exact, double range)
{
    const double choice = draw.u[0];
    double reading = exact;
    if (choice < noise.pShort) {
        // Inverse of the exponential's distribution cut at the exact distance.
        const double cut = 1.0 - std::exp(-noise.lambdaShort * exact);
        reading = -std::log1p(-draw.u[1] * cut) / noise.lambdaShort;
    } else if (choice < noise.pShort + noise.pMax) {
        reading = range;
    } else if (choice < noise.pShort + noise.pMax + noise.pRand) {
        reading = draw.u[1] * range;
    } else if (noise.sigma != 0.0 || noise.proportional != 0.0) {
        reading = exact + (noise.sigma + noise.proportional * exact) * normal(draw.u[2]);
    }
    return std::clamp(reading, 0.0, range);
}
