#pragma once

#include "sim/philox.h"

#include <cstdint>

// A real range finder's errors, as robot simulators give them and the beam model describes them
// (Thrun, Burgard, Fox, Probabilistic Robotics, 6.3). A reading of a ray whose exact distance is
// d (the range where it meets nothing) is, with probability
//   pShort: short, an obstacle not on the map: exponential of rate lambdaShort, cut at d;
//   pMax:   the range (a missed return);
//   pRand:  uniform over 0 .. range;
//   else:   d plus Gaussian noise of deviation sigma + proportional * d;
// always within 0 .. range. Before it is cast, a ray's angle is turned by Gaussian noise of
// deviation `angular` (radians). All zero is the exact scanner.
struct RangeNoise {
    double sigma = 0.0;
    double proportional = 0.0;
    double angular = 0.0;
    double pShort = 0.0;
    double lambdaShort = 0.1;
    double pMax = 0.0;
    double pRand = 0.0;

    bool none() const
    {
        return sigma == 0.0 && proportional == 0.0 && angular == 0.0 && pShort == 0.0 && pMax == 0.0 && pRand == 0.0;
    }
};

// The odometry motion model's four alphas (Probabilistic Robotics 5.4; AMCL's odom_alpha1..4):
// rotation from rotation, rotation from translation, translation from translation, translation
// from rotation. A step's first turn, straight move and second turn are each drawn with a
// deviation sqrt(alpha_a * x^2 + alpha_b * y^2) of what was commanded.
struct OdometryNoise {
    double alpha[4] = { 0.0, 0.0, 0.0, 0.0 };

    bool none() const { return alpha[0] == 0.0 && alpha[1] == 0.0 && alpha[2] == 0.0 && alpha[3] == 0.0; }
};

// Where noise comes from: a seed and the step; the pose or cart and the ray are the counter.
struct NoiseSource {
    std::uint64_t seed = 0;
    std::uint32_t step = 0;
};

// The four numbers of ray `ray` of pose `index`: its reading's kind, a short or random reading,
// its reading's Gaussian error and its angle's.
Uniforms rayDraw(const NoiseSource& source, std::uint32_t index, std::uint32_t ray);

// The angle turn of a ray.
double angleNoise(const RangeNoise& noise, const Uniforms& draw);

// The reading of a ray whose exact distance is `exact` (range for a miss).
double noisyReading(const RangeNoise& noise, const Uniforms& draw, double exact, double range);
