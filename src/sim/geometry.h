#pragma once

#include "platform/pixelmath.h"

#include <cmath>

// Plane geometry in view pixels (y grows downwards, so a positive bearing points down the
// screen). Differences are formed in double precision, so no coordinate can overflow them.

// Direction from (x1, y1) to (x2, y2) in radians, in (-pi, pi]; 0 when the points coincide.
inline double GetBearing(int x1, int y1, int x2, int y2)
{
    return std::atan2(double(y2) - double(y1), double(x2) - double(x1));
}

// Distance between two points; each square formed with pow(..., 2.0).
inline double GetDistance(int x1, int y1, int x2, int y2)
{
    return std::sqrt(std::pow(double(y2) - double(y1), 2.0) + std::pow(double(x2) - double(x1), 2.0));
}
