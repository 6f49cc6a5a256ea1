#pragma once

#include "sim/scanner.h"

#include <vector>

// The exact Euclidean distance, in pixels, from each pixel's centre to the centre of the nearest
// wall pixel (pure red) of a map: the likelihood field's (Felzenszwalb and Huttenlocher's linear
// time transform, by columns and then by rows). A map without walls is infinitely far from one.
struct DistanceField {
    int width = 0;
    int height = 0;
    std::vector<float> distance; // width * height, line by line
};

DistanceField distanceField(const ScanPixels& pixels);
