#pragma once

#include "sim/scanner.h"

#include <cstdint>
#include <vector>

// The exact Euclidean distance, in pixels, from each pixel's centre to the centre of the nearest
// wall pixel (pure red) of a map: the likelihood field's (Felzenszwalb and Huttenlocher's linear
// time transform, by columns and then by rows). Kept squared, a whole number, so that nothing is
// rounded; kFarAway where no wall is nearer than 65535 pixels (or the map has none).
struct DistanceField {
    static constexpr std::uint32_t kFarAway = 0xFFFFFFFFu;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> squared; // width * height, line by line
};

DistanceField distanceField(const ScanPixels& pixels);
