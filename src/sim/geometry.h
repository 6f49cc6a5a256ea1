#pragma once

#include <climits>
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

// A real coordinate as a pixel: truncated toward zero. Values beyond the int range (and NaN),
// which lie far off any canvas, become INT_MIN so they are never drawn or read.
inline int truncToPixel(double value)
{
    if (!(value > double(INT_MIN) - 1.0 && value < double(INT_MAX) + 1.0)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// v + d without overflow: a mark drawn around a point far off the canvas stays far off it.
inline int offsetPixel(int v, int d)
{
    const long long sum = static_cast<long long>(v) + d;
    return sum > INT_MAX ? INT_MAX : (sum < INT_MIN ? INT_MIN : static_cast<int>(sum));
}
