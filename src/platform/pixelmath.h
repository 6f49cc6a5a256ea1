#pragma once

#include <climits>

// Pixels are ints: a real position at or beyond this, either way, could not be a pixel.
constexpr double kPixelLimit = 2147483648.0;

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
