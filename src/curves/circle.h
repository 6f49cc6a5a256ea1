#pragma once

#include <string>

// Circle points: n points of a circle of radius 10 * radius10 pixels about the origin, the
// angle stepped by 2*pi/n (a 32-bit constant) from -pi and accumulated in double precision, so
// point i lies at the angle 2*pi*(i + 1)/n. Entry n repeats point n - 1 as the closing entry.
// xs and ys need n + 1 entries.
void generateCircle(int n, int radius10, float* xs, float* ys);

// The point file of points 0 .. n - 1: lines "%5.8f %5.8f \n" in the C locale.
std::string pointFileText(const float* xs, const float* ys, int n);
