#include "sim/scanner.h"
#include "sim/scanrecord.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kGreen = qRgb(0, 255, 0);
constexpr QRgb kRed = qRgb(255, 0, 0);

class ScannerTest : public ::testing::Test {
protected:
    ScannerTest() : m_canvas(400, 300, QImage::Format_RGB32)
    {
        m_canvas.fill(Qt::white);
        g_scanFarthestDistance = 0.0f;
        g_scanFarthestAngle = 0.0f;
        g_obstacleCount = 0;
    }
    int sweepAt(int x, int y, double heading, int range, float divisor, bool trace = true)
    {
        Surface dc(m_canvas);
        return sweep(dc, x, y, heading, range, divisor, trace);
    }
    int count(QRgb colour) const
    {
        int n = 0;
        for (int y = 0; y < m_canvas.height(); ++y) {
            for (int x = 0; x < m_canvas.width(); ++x) {
                n += m_canvas.pixel(x, y) == colour;
            }
        }
        return n;
    }

    QImage m_canvas;
};

} // namespace

TEST_F(ScannerTest, DefaultDivisorCastsOneRayUpColumn99)
{
    EXPECT_EQ(sweepAt(100, 100, 0.0, 10, 0.1f), 1);
    for (int y = 91; y <= 99; ++y) {
        EXPECT_EQ(m_canvas.pixel(99, y), kGreen) << y;
    }
    EXPECT_EQ(m_canvas.pixel(99, 90), kWhite);
    EXPECT_EQ(m_canvas.pixel(100, 100), kWhite);
    EXPECT_EQ(count(kGreen), 9);
}

TEST_F(ScannerTest, TenRaysFanFromUpToRightButNotDown)
{
    EXPECT_EQ(sweepAt(200, 150, 0.0, 150, 10.0f), 10);
    EXPECT_EQ(m_canvas.pixel(199, 100), kGreen); // straight up
    EXPECT_EQ(m_canvas.pixel(300, 150), kGreen); // straight right
    EXPECT_EQ(m_canvas.pixel(200, 200), kWhite); // nothing straight down
    EXPECT_EQ(m_canvas.pixel(199, 200), kWhite);
    // The last ray, 72 degrees below right.
    const double last = 72.0 * std::acos(-1.0) / 180.0;
    EXPECT_EQ(m_canvas.pixel(200 + int(100 * std::cos(last)), 150 + int(100 * std::sin(last))), kGreen);
}

TEST_F(ScannerTest, ARedPixelStopsTheRayAndOnlyFartherHitsGrowTheRecord)
{
    m_canvas.setPixel(105, 100, kRed);
    {
        Surface dc(m_canvas);
        ScanRay(dc, 100, 100, 0.0, 50, true);
    }
    for (int x = 101; x <= 104; ++x) {
        EXPECT_EQ(m_canvas.pixel(x, 100), kGreen) << x;
    }
    EXPECT_EQ(m_canvas.pixel(105, 100), kRed);
    EXPECT_EQ(m_canvas.pixel(106, 100), kWhite);
    EXPECT_EQ(g_scanFarthestDistance, 5.0f);
    EXPECT_EQ(g_scanFarthestAngle, 0.0f);
    ASSERT_EQ(g_obstacleCount, 1);
    EXPECT_EQ(g_obstaclePoints[0].x, 105);
    EXPECT_EQ(g_obstacleValues[0], 5.0f);

    m_canvas.setPixel(100, 103, kRed); // nearer, below
    m_canvas.setPixel(100, 90, kRed);  // farther, above
    m_canvas.setPixel(90, 100, kRed);  // as far, to the left: the first of equals keeps the record
    {
        Surface dc(m_canvas);
        ScanRay(dc, 100, 100, std::acos(-1.0) / 2, 50, false);
        EXPECT_EQ(g_scanFarthestDistance, 5.0f);
        ScanRay(dc, 100, 100, -std::acos(-1.0) / 2, 50, false);
        ScanRay(dc, 100, 100, std::acos(-1.0), 50, false);
    }
    EXPECT_EQ(g_scanFarthestDistance, 10.0f);
    EXPECT_EQ(g_scanFarthestAngle, float(-std::acos(-1.0) / 2));
    ASSERT_EQ(g_obstacleCount, 4);
    EXPECT_EQ(g_obstacleValues[3], 10.0f);
}

TEST_F(ScannerTest, TheObstacleLogStopsAtItsCapacity)
{
    for (int y = 0; y < 300; ++y) {
        m_canvas.setPixel(390, y, kRed);
    }
    sweepAt(10, 150, 0.0, 1000, 5000.0f, false);
    EXPECT_EQ(g_obstacleCount, kObstacleCapacity);
}

TEST_F(ScannerTest, ShortRangeDrawsNothingAndRaysLeaveTheCanvasQuietly)
{
    EXPECT_EQ(sweepAt(100, 100, 0.0, 1, 10.0f), 10);
    EXPECT_EQ(count(kGreen), 0);
    // Straight up from the corner: sample 1 at y = -0.999... truncates toward zero into row 0;
    // every later sample is above the canvas.
    EXPECT_EQ(sweepAt(0, 0, 0.0, 10, 0.1f), 1);
    EXPECT_EQ(count(kGreen), 1);
    EXPECT_EQ(m_canvas.pixel(0, 0), kGreen);
}

TEST_F(ScannerTest, EverySweepEndsWhateverTheDivisor)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (float divisor : {0.0f, -1.0f, -10.0f, nan, inf, 1e30f}) {
        EXPECT_EQ(sweepAt(200, 150, 0.0, 150, divisor), 1) << divisor;
    }
    EXPECT_EQ(sweepAt(200, 150, 0.0, 150, 999999999.0f, false), kMaxRaysPerSweep);
}

TEST_F(ScannerTest, HugeRangeCostsNoMoreThanTheCanvas)
{
    // A ray of range 2^31 - 1 stops at the canvas edge with the same pixels as a ray that
    // just reaches it.
    EXPECT_EQ(sweepAt(200, 150, 0.0, 2147483647, 10.0f), 10);
    const QImage huge = m_canvas;
    m_canvas.fill(Qt::white);
    EXPECT_EQ(sweepAt(200, 150, 0.0, 600, 10.0f), 10);
    EXPECT_EQ(m_canvas, huge);
    // Origins far off the canvas, pointing at it or away from it.
    EXPECT_EQ(sweepAt(-2147483647, 150, 0.0, 2147483647, 10.0f), 10);
    EXPECT_EQ(sweepAt(2147483647, -2147483647, 1.0, 2147483647, 10.0f), 10);
}
