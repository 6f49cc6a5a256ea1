#include "sim/walldistance.h"

#include <algorithm>

WallDistances wallDistances(const ScanPixels& pixels)
{
    WallDistances field{pixels.width, pixels.height, {}};
    field.distance.resize(std::size_t(pixels.width) * std::size_t(pixels.height));
    const QRgb wall = Surface::pixelOf(kObstacleColor);
    const auto at = [&](int x, int y) -> std::uint8_t& { return field.distance[std::size_t(y) * pixels.width + x]; };
    const auto nearer = [](std::uint8_t& cell, std::uint8_t neighbour) {
        cell = std::min<std::uint8_t>(cell, neighbour == 255 ? 255 : neighbour + 1);
    };
    // Two passes of the chessboard chamfer, exact for that distance: down and right from the
    // neighbours above and to the left, then up and left from those below and to the right.
    for (int y = 0; y < pixels.height; ++y) {
        const QRgb* line = pixels.bits + qsizetype(y) * pixels.stride;
        for (int x = 0; x < pixels.width; ++x) {
            std::uint8_t& cell = at(x, y);
            cell = line[x] == wall ? 0 : 255;
            if (x > 0) {
                nearer(cell, at(x - 1, y));
            }
            if (y > 0) {
                for (int dx = std::max(x - 1, 0); dx <= std::min(x + 1, pixels.width - 1); ++dx) {
                    nearer(cell, at(dx, y - 1));
                }
            }
        }
    }
    for (int y = pixels.height - 1; y >= 0; --y) {
        for (int x = pixels.width - 1; x >= 0; --x) {
            std::uint8_t& cell = at(x, y);
            if (x + 1 < pixels.width) {
                nearer(cell, at(x + 1, y));
            }
            if (y + 1 < pixels.height) {
                for (int dx = std::max(x - 1, 0); dx <= std::min(x + 1, pixels.width - 1); ++dx) {
                    nearer(cell, at(dx, y + 1));
                }
            }
        }
    }
    return field;
}
