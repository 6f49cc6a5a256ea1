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

void beamWeights(const WallDistances& walls, const double* particles, std::size_t count,
                 std::span<const double> angles, const double* observed, int range, const BeamModel& model, int threads,
                 double* weights)
{
    shareBlocks(count, 16, threads, [&](std::size_t first, std::size_t last) {
        PoseCaster caster(walls, angles, range);
        std::vector<float> expected(angles.size());
        for (std::size_t i = first; i < last; ++i) {
            caster.cast(particles + 3 * i, expected.data());
            double weight = model.amcl ? 1.0 : 0.0;
            for (std::size_t a = 0; a < angles.size(); ++a) {
                const double p = beamProbability(model, observed[a], expected[a], range);
                weight += model.amcl ? p * p * p : std::log(p);
            }
            weights[i] = weight;
        }
    });
}

void likelihoodWeights(const DistanceField& field, const double* particles, std::size_t count,
                       std::span<const double> angles, const double* observed, int range,
                       const LikelihoodField& model, int threads, double* weights)
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
                    const std::uint32_t squared = field.squared[std::size_t(y) * std::size_t(field.width) + std::size_t(x)];
                    d = squared == DistanceField::kFarAway ? d : std::min(d, std::sqrt(double(squared)));
                }
                weight += std::log(peak * std::exp(-d * d / twoSigma2) + floor);
            }
            weights[i] = weight;
        }
    });
}
