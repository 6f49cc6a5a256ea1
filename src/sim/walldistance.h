#pragma once

#include "sim/scanner.h"

#include <cstdint>
#include <vector>

// How far each pixel of a map lies from the nearest wall pixel (the obstacle colour), in whole
// pixels along the farther axis (the chessboard distance), capped at 255; 0 on a wall. A ray's
// samples move at most one pixel along each axis per sample, so from a sample at distance d
// the next d - 1 samples cannot be walls: rays over a map that nothing draws on can step over
// them. Made once per map; it holds as long as the map's pixels do not change.
struct WallDistances {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> distance; // width * height, line by line
};

WallDistances wallDistances(const ScanPixels& pixels);
