// The scanner's keys of the batch Dump: the farthest hit, its angle and the obstacle log after
// `Scanner` and after `Animuj`, checked against the scanner worked out here over the map.
#include "common/batchprocess.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

const QRgb kFloor = qRgb(238, 234, 222);
const QRgb kRed = qRgb(255, 0, 0);

// Two red walls across the path ahead, the upper one farther than the lower one, so rays to
// either side of the heading meet them at different distances.
constexpr int kUpperWallX = 450; // rows 0 .. 299
constexpr int kLowerWallX = 430; // rows 300 .. 599

QImage wallMap()
{
    QImage map(800, 600, QImage::Format_RGB32);
    map.fill(kFloor);
    for (int y = 0; y < 600; ++y) {
        map.setPixel(y < 300 ? kUpperWallX : kLowerWallX, y, kRed);
    }
    return map;
}

struct Hit {
    int x;
    int y;
    float distance;
};

// What the scanner of sim/scanner.h records, worked out over the map alone.
struct Scan {
    float farthestDistance = 0.0f;
    float farthestAngle = 0.0f;
    std::vector<Hit> hits;

    // One sweep from (ox, oy): rays from heading - pi/2 while below heading + pi/2 in steps of
    // pi / divisor (pi/2 and pi as 32-bit reals), each reading samples i = 1 .. range - 1 at
    // trunc(origin + i (cos a, sin a)) up to the first red one. A hit strictly farther than the
    // farthest so far takes its place.
    void sweep(const QImage& map, int ox, int oy, double heading, int range, float divisor)
    {
        const double halfPi = double(static_cast<float>(std::numbers::pi / 2));
        const double step = double(static_cast<float>(std::numbers::pi)) / double(divisor);
        for (double angle = heading - halfPi; angle < heading + halfPi; angle += step) {
            for (int i = 1; i < range; ++i) {
                const int x = static_cast<int>(double(ox) + double(i) * std::cos(angle));
                const int y = static_cast<int>(double(oy) + double(i) * std::sin(angle));
                if (!map.valid(x, y) || map.pixel(x, y) != kRed) {
                    continue;
                }
                const double dx = double(x) - double(ox);
                const double dy = double(y) - double(oy);
                const double distance = std::sqrt(dy * dy + dx * dx);
                if (double(farthestDistance) < distance) {
                    farthestDistance = static_cast<float>(distance);
                    farthestAngle = static_cast<float>(angle);
                }
                hits.push_back({x, y, static_cast<float>(distance)});
                break;
            }
        }
    }
};

// The dump's scanner keys, read by name.
void expectScannerKeys(const QJsonObject& state, const Scan& scan)
{
    ASSERT_FALSE(scan.hits.empty());
    ASSERT_LT(scan.hits.size(), 500u); // the log holds them all
    EXPECT_EQ(static_cast<float>(state["g_scanFarthestDistance"].toDouble()), scan.farthestDistance);
    EXPECT_EQ(static_cast<float>(state["g_scanFarthestAngle"].toDouble()), scan.farthestAngle);
    EXPECT_EQ(state["g_obstacleCount"].toInt(), int(scan.hits.size()));
    const QJsonArray obstacles = state["obstacles"].toArray();
    ASSERT_EQ(obstacles.size(), qsizetype(scan.hits.size()));
    for (qsizetype i = 0; i < obstacles.size(); ++i) {
        const QJsonArray entry = obstacles[i].toArray();
        const Hit& hit = scan.hits[std::size_t(i)];
        ASSERT_EQ(entry.size(), 3) << i;
        EXPECT_EQ(entry[0].toInt(), hit.x) << i;
        EXPECT_EQ(entry[1].toInt(), hit.y) << i;
        EXPECT_EQ(static_cast<float>(entry[2].toDouble()), hit.distance) << i;
    }
}

} // namespace

TEST(BatchDump, ScannerKeysAfterOneSweepFromTheStart)
{
    BatchProcess batch;
    const QImage map = wallMap();
    ASSERT_TRUE(map.save(batch.dir() + "/mapa.bmp", "BMP"));
    batch.writeFile("tav.ini", "[TAV]\nDialogs=0\n[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n"
                               "StartPossitionX=320\nStartPossitionY=300\nEndPossitionX=400\nEndPossitionY=300\n");
    const BatchResult result = batch.run("StartCiel\nScanner\nDump\n", {"--fast"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject state = result.json();
    ASSERT_TRUE(state["m_bitmapLoaded"].toBool());
    ASSERT_EQ(state["m_cartX"].toInt(), 320);
    ASSERT_EQ(state["m_cartY"].toInt(), 300);

    // The cart has not moved: heading 0, along the rows.
    Scan scan;
    scan.sweep(map, 320, 300, 0.0, 150, 10.0f);
    expectScannerKeys(state, scan);
    // The farthest hit is on the upper wall, up and to the right.
    EXPECT_LT(scan.farthestAngle, 0.0f);
    EXPECT_GT(scan.farthestDistance, float(kUpperWallX - 320));
}

TEST(BatchDump, ScannerKeysAfterAnAnimationAlongALine)
{
    BatchProcess batch;
    const QImage map = wallMap();
    ASSERT_TRUE(map.save(batch.dir() + "/mapa.bmp", "BMP"));
    batch.writeFile("tav.ini", "[TAV]\nDialogs=0\n[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n"
                               "StartPossitionX=100\nStartPossitionY=300\nEndPossitionX=400\nEndPossitionY=300\n");
    const BatchResult result = batch.run("StartCiel\nLine\nAnimuj\nDump\n", {"--fast"}, 60000);
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject state = result.json();
    ASSERT_TRUE(state["m_bitmapLoaded"].toBool());

    // The line's records are (100 + i, 300); step j moves the cart to record 10 j with heading
    // 0 and sweeps from there. A chord of 300 pixels holds records 0 .. 299: steps 1 .. 29.
    Scan scan;
    for (int step = 1; step <= 29; ++step) {
        scan.sweep(map, 100 + 10 * step, 300, 0.0, 150, 10.0f);
    }
    EXPECT_EQ(state["m_cartX"].toInt(), 390);
    expectScannerKeys(state, scan);
    EXPECT_NE(scan.farthestAngle, 0.0f);
}

// A loaded path run past one wall pixel: the dump counts the steps whose cart covered it and
// names the first (the cart reaches 7 rows below its guide point, not 8).
TEST(BatchDump, CollisionKeysCountTheStepsWhoseCartCoveredAWall)
{
    struct Case {
        int wallY;
        int collisions;
        QJsonValue first;
    };
    for (const Case& c : {Case{307, 1, 6}, Case{308, 0, QJsonValue::Null}}) {
        BatchProcess batch;
        QImage map(800, 600, QImage::Format_RGB32);
        map.fill(kFloor);
        map.setPixel(150, c.wallY, kRed);
        ASSERT_TRUE(map.save(batch.dir() + "/mapa.bmp", "BMP"));
        batch.writeFile("tav.ini", "[TAV]\nDialogs=0\n");
        QByteArray path;
        for (int x = 100; x <= 300; ++x) {
            path += QByteArray::number(x) + ",300\n";
        }
        batch.writeFile("path.csv", path);
        const BatchResult result = batch.run("LoadPath path.csv\nAnimuj\nDump\n", {"--fast"});
        ASSERT_EQ(result.status, 0) << result.err.toStdString();
        const QJsonObject state = result.json();
        EXPECT_EQ(state["m_trajectoryCount"].toInt(), 201);
        EXPECT_EQ(state["collisionSteps"], QJsonValue(c.collisions)) << c.wallY;
        EXPECT_EQ(state["firstCollisionStep"], c.first) << c.wallY;
    }
}
