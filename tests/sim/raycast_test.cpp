#include "sim/distancefield.h"
#include "sim/raycast.h"
#include "sim/scanner.h"
#include "sim/walldistance.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <random>
#include <vector>

namespace {

constexpr QRgb kWall = qRgb(255, 0, 0);

// A white map with `rectangles` random red rectangles and `specks` single red pixels, whose
// corners and lone pixels are what rays graze.
QImage randomMap(std::mt19937& random, int width, int height, int rectangles, int specks)
{
    QImage map(width, height, QImage::Format_RGB32);
    map.fill(Qt::white);
    std::uniform_int_distribution<int> x(0, width - 1);
    std::uniform_int_distribution<int> y(0, height - 1);
    std::uniform_int_distribution<int> side(1, 40);
    for (int r = 0; r < rectangles; ++r) {
        const int left = x(random);
        const int top = y(random);
        const int right = std::min(width, left + side(random));
        const int bottom = std::min(height, top + side(random));
        for (int row = top; row < bottom; ++row) {
            for (int column = left; column < right; ++column) {
                map.setPixel(column, row, kWall);
            }
        }
    }
    for (int s = 0; s < specks; ++s) {
        map.setPixel(x(random), y(random), kWall);
    }
    return map;
}

// Angles that test the step's bounds: random ones, the axes and diagonals and a hair beside
// them, and rays aimed exactly at wall pixels' corners from the origin.
std::vector<double> anglesFor(std::mt19937& random, const QImage& map, int x, int y)
{
    std::vector<double> angles;
    std::uniform_real_distribution<double> any(-4.0, 4.0);
    for (int i = 0; i < 24; ++i) {
        angles.push_back(any(random));
    }
    for (int k = -4; k <= 4; ++k) {
        for (const double hair : {0.0, 1e-15, -1e-12, 1e-9, -1e-7, 1e-5}) {
            angles.push_back(k * M_PI / 4 + hair);
        }
    }
    std::uniform_int_distribution<int> column(0, map.width() - 1);
    std::uniform_int_distribution<int> row(0, map.height() - 1);
    for (int i = 0; i < 200 && angles.size() < 90; ++i) {
        const int wx = column(random);
        const int wy = row(random);
        if (map.pixel(wx, wy) == kWall) {
            for (const double cx : {0.0, 1.0}) {
                angles.push_back(std::atan2(wy + cx - y, wx + 1.0 - cx - x));
            }
        }
    }
    return angles;
}

struct MapCase {
    const char* name;
    int width;
    int height;
    int rectangles;
    int specks;
};

TEST(RaysOverWallDistances, FindEveryRaysFirstWallPixelAsTheScannerDoes)
{
    const MapCase cases[] = {
        {"rooms", 700, 500, 60, 0},   {"specks", 400, 300, 0, 900}, {"both", 300, 600, 30, 300},
        {"empty", 320, 200, 0, 0},    {"walled", 60, 40, 400, 0},   {"a line", 500, 1, 0, 20},
        {"a column", 1, 300, 0, 20},  {"one pixel", 1, 1, 0, 1},
    };
    std::mt19937 random(20261208);
    for (const MapCase& c : cases) {
        const QImage map = randomMap(random, c.width, c.height, c.rectangles, c.specks);
        const ScanPixels pixels = scanPixels(map);
        const WallDistances walls = wallDistances(pixels);
        std::uniform_int_distribution<int> x(-60, c.width + 60);
        std::uniform_int_distribution<int> y(-60, c.height + 60);
        int hits = 0;
        for (int pose = 0; pose < 60; ++pose) {
            // Origins on the map, off it, and on its edges.
            const int ox = pose % 5 == 0 ? 0 : (pose % 5 == 1 ? c.width - 1 : x(random));
            const int oy = pose % 7 == 0 ? c.height - 1 : y(random);
            const std::vector<double> angles = anglesFor(random, map, ox, oy);
            for (const int range : {0, 2, 37, 500, 100000}) {
                std::vector<std::optional<QPoint>> found(angles.size(), QPoint(-7, -7));
                castRays(walls, ox, oy, angles, range, found.data());
                for (std::size_t a = 0; a < angles.size(); ++a) {
                    const std::optional<QPoint> expected = castRay(pixels, ox, oy, angles[a], range);
                    ASSERT_EQ(found[a], expected) << c.name << " from " << ox << "," << oy << " at " << angles[a]
                                                  << " range " << range;
                    hits += expected.has_value();
                }
            }
        }
        if (c.rectangles + c.specks > 0) {
            EXPECT_GT(hits, 100) << c.name;
        }
    }
}

// Every pose's row is written whatever the threads (the output is filled with NaN first, as
// recycled memory could hold anything), and equals the scanner's ray by ray.
TEST(RaysOverWallDistances, ManyPosesOnAnyNumberOfThreadsCastEveryRow)
{
    std::mt19937 random(33);
    const QImage map = randomMap(random, 200, 150, 20, 50);
    const ScanPixels pixels = scanPixels(map);
    const WallDistances walls = wallDistances(pixels);
    const std::vector<double> angles = {-1.0, 0.0, 0.5, 2.0};
    std::vector<double> poses;
    for (int p = 0; p < 33; ++p) {
        poses.insert(poses.end(), {double(random() % 200), double(random() % 150), p * 0.3});
    }
    for (const int threads : {1, 2, 3}) {
        std::vector<float> distances(33 * angles.size(), NAN);
        castRays(walls, poses.data(), 33, angles, 90, threads, distances.data());
        for (std::size_t p = 0; p < 33; ++p) {
            for (std::size_t a = 0; a < angles.size(); ++a) {
                const int x = int(poses[3 * p]);
                const int y = int(poses[3 * p + 1]);
                const double angle = poses[3 * p + 2] + angles[a];
                const std::optional<QPoint> hit = castRay(pixels, x, y, angle, 90);
                EXPECT_EQ(distances[p * angles.size() + a], hit ? scanHit(x, y, *hit, angle).distance : 90.0f)
                    << "pose " << p << " on " << threads << " threads";
            }
        }
    }
}

// The wall distances are chessboard distances capped at 255; the likelihood field's are the exact
// squared Euclidean ones.
TEST(RaysOverWallDistances, DistancesAreTheChessboardAndEuclideanDistancesToTheNearestWall)
{
    std::mt19937 random(7);
    // The last, 300 pixels long with one wall pixel, has distances beyond the cap.
    for (const MapCase& c : {MapCase{"specks", 90, 70, 0, 12}, MapCase{"rooms", 120, 100, 3, 0},
                             MapCase{"none", 20, 10, 0, 0}, MapCase{"long", 300, 3, 0, 1}}) {
        const QImage map = randomMap(random, c.width, c.height, c.rectangles, c.specks);
        std::vector<QPoint> wallPixels;
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                if (map.pixel(x, y) == kWall) {
                    wallPixels.emplace_back(x, y);
                }
            }
        }
        const WallDistances walls = wallDistances(scanPixels(map));
        const DistanceField field = distanceField(scanPixels(map));
        for (int y = 0; y < map.height(); ++y) {
            for (int x = 0; x < map.width(); ++x) {
                int nearest = 255;
                std::uint32_t squared = DistanceField::kFarAway;
                for (const QPoint& wall : wallPixels) {
                    const int dx = wall.x() - x;
                    const int dy = wall.y() - y;
                    nearest = std::min(nearest, std::max(std::abs(dx), std::abs(dy)));
                    squared = std::min(squared, std::uint32_t(dx * dx + dy * dy));
                }
                ASSERT_EQ(walls.distance[std::size_t(y) * map.width() + x], nearest) << c.name << " " << x << "," << y;
                ASSERT_EQ(field.squared[std::size_t(y) * map.width() + x], squared) << c.name << " " << x << "," << y;
            }
        }
    }
}

} // namespace
