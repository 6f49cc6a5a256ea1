#include "sim/sensormodel.h"

#include "platform/pixelmath.h"
#include "platform/workshare.h"
#include "sim/raycast.h"

#include <cmath>
#include <vector>

namespace {

constexpr double kSqrtTwoPi = 2.5066282746310002;

double normalCdf(double x)
{
    return 0.5 * std::erfc(-x / std::sqrt(2.0));
}

} // namespace

double beamProbability(const BeamModel& model, double reading, double expected, double range)
{
    const double z = reading;
    double p = 0.0;
    if (z >= 0.0 && z <= range) {
        const double mass = normalCdf((range - expected) / model.sigmaHit) - normalCdf(-expected / model.sigmaHit);
        const double deviation = (z - expected) / model.sigmaHit;
        if (mass > 0.0) {
            p += model.zHit * std::exp(-0.5 * deviation * deviation) / (model.sigmaHit * kSqrtTwoPi) / mass;
        }
    }
    if (z >= 0.0 && z <= expected && expected > 0.0) {
        p += model.zShort * model.lambdaShort * std::exp(-model.lambdaShort * z)
            / -std::expm1(-model.lambdaShort * expected);
    }
    if (z >= range) {
        p += model.zMax;
    }
    if (z >= 0.0 && z < range) {
        p += model.zRand / range;
    }
    return p;
}

void beamWeights(const WallDistances& walls, const double* particles, std::size_t count, std::span<const double> angles,
    const double* observed, int range, const BeamModel& model, int threads, double* weights)
{
    // What depends on the readings alone, once: the short readings' density but for its cut, and
    // the max and random terms. The rest is cheap where the terms cannot matter: a hit's
    // normaliser is 1 to the last bit more than 8.3 deviations inside 0 .. range, and its density
    // is 0 beyond 38.6 deviations.
    const std::size_t beams = angles.size();
    std::vector<double> shortDensity(beams);
    std::vector<double> fixedTerms(beams);
    for (std::size_t a = 0; a < beams; ++a) {
        const double z = observed[a];
        shortDensity[a] = z >= 0.0 ? model.zShort * model.lambdaShort * std::exp(-model.lambdaShort * z) : 0.0;
        fixedTerms[a] = (z >= range ? model.zMax : 0.0) + (z >= 0.0 && z < range ? model.zRand / range : 0.0);
    }
    const double peak = model.zHit / (model.sigmaHit * kSqrtTwoPi);
    const double inside = 8.3 * model.sigmaHit;
    shareBlocks(count, 16, threads, [&](std::size_t first, std::size_t last) {
        PoseCaster caster(walls, angles, range);
        std::vector<float> cast(beams);
        for (std::size_t i = first; i < last; ++i) {
            caster.cast(particles + 3 * i, cast.data());
            double sum = model.amcl ? 1.0 : 0.0;
            // The log of a product, taken as a mantissa and an exponent so that it cannot underflow.
            double mantissa = 1.0;
            long exponent = 0;
            for (std::size_t a = 0; a < beams; ++a) {
                const double z = observed[a];
                const double expected = cast[a];
                double p = fixedTerms[a];
                const double deviation = (z - expected) / model.sigmaHit;
                if (z >= 0.0 && z <= range && std::fabs(deviation) < 38.6) {
                    const bool whole = expected >= inside && range - expected >= inside;
                    const double mass = whole
                        ? 1.0
                        : normalCdf((range - expected) / model.sigmaHit) - normalCdf(-expected / model.sigmaHit);
                    if (mass > 0.0) {
                        p += peak * std::exp(-0.5 * deviation * deviation) / mass;
                    }
                }
                if (z >= 0.0 && z <= expected && expected > 0.0) {
                    const double cut = model.lambdaShort * expected;
                    p += shortDensity[a] / (cut > 37.0 ? 1.0 : -std::expm1(-cut));
                }
                if (model.amcl) {
                    sum += p * p * p;
                } else {
                    mantissa *= p;
                    // Taken apart before it underflows (or, for densities above 1, overflows).
                    if (mantissa < 1e-200 || mantissa > 1e200) {
                        int scale = 0;
                        mantissa = std::frexp(mantissa, &scale);
                        exponent += scale;
                    }
                }
            }
            weights[i] = model.amcl ? sum : std::log(mantissa) + double(exponent) * std::log(2.0);
        }
    });
}

void likelihoodWeights(const DistanceField& field, const double* particles, std::size_t count,
    std::span<const double> angles, const double* observed, int range, const LikelihoodField& model, int threads,
    double* weights)
{
    const double twoSigma2 = 2.0 * model.sigmaHit * model.sigmaHit;
    const double peak = model.zHit / (model.sigmaHit * kSqrtTwoPi);
    const double floor = model.zRand / range;
    shareBlocks(count, 64, threads, [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            const double* pose = particles + 3 * i;
            double weight = 0.0;
            for (std::size_t a = 0; a < angles.size(); ++a) {
                const double z = observed[a];
                if (!(z < range)) {
                    continue;
                }
                const double angle = pose[2] + angles[a];
                const int x = truncToPixel(pose[0] + z * std::cos(angle));
                const int y = truncToPixel(pose[1] + z * std::sin(angle));
                double d = model.maxDistance;
                if (x >= 0 && y >= 0 && x < field.width && y < field.height) {
                    const std::uint32_t squared
                        = field.squared[std::size_t(y) * std::size_t(field.width) + std::size_t(x)];
                    d = squared == DistanceField::kFarAway ? d : std::min(d, std::sqrt(double(squared)));
                }
                weight += std::log(peak * std::exp(-d * d / twoSigma2) + floor);
            }
            weights[i] = weight;
        }
    });
}
