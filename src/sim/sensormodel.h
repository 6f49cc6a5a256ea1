#pragma once

#include "sim/distancefield.h"
#include "sim/walldistance.h"

#include <cstddef>
#include <span>

// How likely an observed scan is from each of many poses (a particle filter's weights), in
// pixels: R readings `observed` at `angles` relative to the heading, rays reaching `range`.

// The beam model (Probabilistic Robotics, 6.3), against the exact cast from the particle (z*,
// the range for a ray that meets no wall). For a reading z, 0 <= z:
//   p_hit   = eta * N(z; z*, sigmaHit^2) for z <= range, eta = 1 / P(0 <= N <= range)
//   p_short = eta * lambdaShort * exp(-lambdaShort * z) for z <= z*, eta = 1 / (1 - exp(-lambdaShort z*))
//   p_max   = 1 for z >= range
//   p_rand  = 1 / range for z < range
//   p = zHit p_hit + zShort p_short + zMax p_max + zRand p_rand
// A particle's weight is sum(log p), or with `amcl` as AMCL combines them, 1 + sum(p^3).
struct BeamModel {
    double zHit = 0.95;
    double zShort = 0.1;
    double zMax = 0.05;
    double zRand = 0.05;
    double sigmaHit = 4.0;
    double lambdaShort = 0.1;
    bool amcl = false;
};

double beamProbability(const BeamModel& model, double reading, double expected, double range);

// Casts each particle's rays and weighs them as it goes: no N x R array is made.
void beamWeights(const WallDistances& walls, const double* particles, std::size_t count, std::span<const double> angles,
    const double* observed, int range, const BeamModel& model, int threads, double* weights);

// The likelihood field (Probabilistic Robotics, 6.4): a reading z < range ends at the particle's
// position plus z along the ray; d is the distance field there (the pixel it falls in; off the map
// or farther than maxDistance, maxDistance), and
//   q = zHit * exp(-d^2 / (2 sigmaHit^2)) / (sigmaHit sqrt(2 pi)) + zRand / range.
// A reading at the range or beyond is skipped, as AMCL does. A particle's weight is sum(log q).
struct LikelihoodField {
    double zHit = 0.95;
    double zRand = 0.05;
    double sigmaHit = 4.0;
    double maxDistance = 40.0;
};

void likelihoodWeights(const DistanceField& field, const double* particles, std::size_t count,
    std::span<const double> angles, const double* observed, int range, const LikelihoodField& model, int threads,
    double* weights);
