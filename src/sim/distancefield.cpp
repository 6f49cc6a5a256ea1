#include "sim/distancefield.h"

#include "sim/scanner.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kFar = 1e20;

// The squared distance transform of one line of squared distances (the lower envelope of
// parabolas rooted at each sample), in place; `v` and `z` are scratch of n and n + 1.
void transformLine(std::vector<double>& f, std::vector<int>& v, std::vector<double>& z)
{
    const int n = int(f.size());
    const auto meet = [&](int q, int p) {
        return ((f[std::size_t(q)] + double(q) * q) - (f[std::size_t(p)] + double(p) * p)) / (2.0 * q - 2.0 * p);
    };
    int k = 0;
    v[0] = 0;
    z[0] = -std::numeric_limits<double>::infinity();
    z[1] = std::numeric_limits<double>::infinity();
    for (int q = 1; q < n; ++q) {
        double s = meet(q, v[std::size_t(k)]);
        while (s <= z[std::size_t(k)]) {
            --k;
            s = meet(q, v[std::size_t(k)]);
        }
        ++k;
        v[std::size_t(k)] = q;
        z[std::size_t(k)] = s;
        z[std::size_t(k) + 1] = std::numeric_limits<double>::infinity();
    }
    std::vector<double> d(static_cast<std::size_t>(n));
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[std::size_t(k) + 1] < q) {
            ++k;
        }
        const int p = v[std::size_t(k)];
        d[std::size_t(q)] = double(q - p) * (q - p) + f[std::size_t(p)];
    }
    f.swap(d);
}

} // namespace

DistanceField distanceField(const ScanPixels& pixels)
{
    const int width = pixels.width;
    const int height = pixels.height;
    const QRgb wall = Surface::pixelOf(kObstacleColor);
    std::vector<double> squared(std::size_t(width) * std::size_t(height));
    std::vector<double> line;
    std::vector<int> v(std::size_t(std::max(width, height)) + 1);
    std::vector<double> z(std::size_t(std::max(width, height)) + 2);
    for (int x = 0; x < width; ++x) {
        line.assign(std::size_t(height), 0.0);
        for (int y = 0; y < height; ++y) {
            line[std::size_t(y)] = (pixels.bits[y * pixels.stride + x] | 0xff000000u) == wall ? 0.0 : kFar;
        }
        transformLine(line, v, z);
        for (int y = 0; y < height; ++y) {
            squared[std::size_t(y) * std::size_t(width) + std::size_t(x)] = line[std::size_t(y)];
        }
    }
    DistanceField field { width, height, std::vector<std::uint32_t>(squared.size()) };
    for (int y = 0; y < height; ++y) {
        line.assign(squared.begin() + std::ptrdiff_t(y) * width, squared.begin() + std::ptrdiff_t(y + 1) * width);
        transformLine(line, v, z);
        for (int x = 0; x < width; ++x) {
            const double d = line[std::size_t(x)];
            field.squared[std::size_t(y) * std::size_t(width) + std::size_t(x)]
                = d >= double(DistanceField::kFarAway) ? DistanceField::kFarAway : std::uint32_t(d);
        }
    }
    return field;
}
