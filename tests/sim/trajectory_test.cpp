#include "sim/trajectory.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class TrajectoryTest : public ::testing::Test {
protected:
    TrajectoryTest() : m_canvas(300, 200, QImage::Format_RGB32), m_buffer(kTrajectoryCapacity, TrajectoryPoint{0, 0, 0})
    {
        m_canvas.fill(Qt::white);
    }
    QRgb pixel(int x, int y) const { return m_canvas.pixel(x, y); }

    QImage m_canvas;
    std::vector<TrajectoryPoint> m_buffer;
};

constexpr ChordPoints kTen{100, 100, 110, 100};

} // namespace

TEST_F(TrajectoryTest, FullSineAlongAHorizontalChord)
{
    Surface dc(m_canvas);
    const TrajectoryResult result = generateSin2Pi(dc, m_buffer.data(), kTen, 40);
    EXPECT_EQ(result.count, 10);
    EXPECT_EQ(result.color, RGB(255, 0, 0));
    EXPECT_EQ(m_buffer[0].x, 100.0);
    EXPECT_EQ(m_buffer[0].y, 100.0);
    EXPECT_NEAR(m_buffer[5].y, 100.0, 1e-4); // s = 40 sin(pi) ~ 0
    for (int i = 1; i <= 4; ++i) {
        EXPECT_LT(m_buffer[i].y, 100.0) << i; // first half-wave above the chord
        EXPECT_GT(m_buffer[i + 5].y, 100.0) << i + 5;
        EXPECT_EQ(m_buffer[i].x, 100.0 + i);
    }
    EXPECT_EQ(m_buffer[10].x, 0.0);
    // Every sample is plotted in the obstacle colour.
    EXPECT_EQ(pixel(100, 100), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(int(m_buffer[3].x), int(m_buffer[3].y)), qRgb(255, 0, 0));
}

TEST_F(TrajectoryTest, HalfSineIsOneArchAboveTheChord)
{
    Surface dc(m_canvas);
    const TrajectoryResult result = generateSinPi(dc, m_buffer.data(), kTen, 40);
    EXPECT_EQ(result.count, 10);
    EXPECT_EQ(m_buffer[0].x, 100.0);
    EXPECT_EQ(m_buffer[5].x, 105.0);
    EXPECT_NEAR(m_buffer[5].y, 60.0, 1e-6);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_LT(m_buffer[i].y, 100.0) << i;
    }
    EXPECT_EQ(pixel(105, 60), qRgb(0, 0, 255));
    // Record 0 is stored, not plotted.
    EXPECT_EQ(pixel(100, 100), qRgb(255, 255, 255));
}

TEST_F(TrajectoryTest, LineStoresTheChordInItsColour)
{
    Surface dc(m_canvas);
    const TrajectoryResult result = generateLine(dc, m_buffer.data(), kTen);
    EXPECT_EQ(result.count, 10);
    EXPECT_EQ(result.color, RGB(0, 128, 128));
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(m_buffer[i].x, 100.0 + i);
        EXPECT_EQ(m_buffer[i].y, 100.0);
        EXPECT_EQ(pixel(100 + i, 100), qRgb(0, 128, 128));
    }
    EXPECT_EQ(pixel(110, 100), qRgb(255, 255, 255));
}

TEST_F(TrajectoryTest, SampleCountsForShortAndFractionalChords)
{
    Surface dc(m_canvas);
    // A chord between pixels is rarely whole: (100,100) -> (110,103) has L = sqrt(109) = 10.44,
    // so the samples run 0..10.
    const ChordPoints longer{100, 100, 110, 103};
    EXPECT_EQ(generateSin2Pi(dc, m_buffer.data(), longer, 40).count, 11);
    EXPECT_EQ(generateSinPi(dc, m_buffer.data(), longer, 40).count, 11);
    EXPECT_EQ(generateLine(dc, m_buffer.data(), longer).count, 11);

    const ChordPoints neighbours{50, 50, 51, 50};
    EXPECT_EQ(generateSin2Pi(dc, m_buffer.data(), neighbours, 40).count, 1);
    EXPECT_EQ(generateSinPi(dc, m_buffer.data(), neighbours, 40).count, 1);
    EXPECT_EQ(generateLine(dc, m_buffer.data(), neighbours).count, 1);
    EXPECT_EQ(m_buffer[0].x, 50.0);

    const ChordPoints same{70, 70, 70, 70};
    m_buffer[0] = {1, 2, 0};
    EXPECT_EQ(generateSin2Pi(dc, m_buffer.data(), same, 40).count, 0);
    EXPECT_EQ(generateLine(dc, m_buffer.data(), same).count, 0);
    EXPECT_EQ(m_buffer[0].x, 1.0);
}

TEST_F(TrajectoryTest, AmplitudeZeroGivesTheChordAndShortPathsKeepTheStaleTail)
{
    Surface dc(m_canvas);
    generateLine(dc, m_buffer.data(), {0, 150, 250, 150});
    const TrajectoryPoint tail = m_buffer[200];
    generateSin2Pi(dc, m_buffer.data(), kTen, 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(m_buffer[i].y, 100.0) << i;
    }
    EXPECT_EQ(m_buffer[200].x, tail.x);
    EXPECT_EQ(m_buffer[200].y, tail.y);
    generateSinPi(dc, m_buffer.data(), kTen, 0);
    EXPECT_EQ(pixel(105, 100), qRgb(0, 0, 255));
}

TEST_F(TrajectoryTest, HugeChordsStopAtTheBufferAndNegativeSamplesTruncateTowardZero)
{
    Surface dc(m_canvas);
    const TrajectoryResult result = generateLine(dc, m_buffer.data(), {-2147483647, 0, 2147483647, 0});
    EXPECT_EQ(result.count, kTrajectoryCapacity);
    EXPECT_EQ(m_buffer[kTrajectoryCapacity - 1].x, -2147483647.0 + (kTrajectoryCapacity - 1));

    // From (0, 0) towards the upper left: y of sample 1 is -0.7..., plotted in row 0.
    generateLine(dc, m_buffer.data(), {0, 0, 100, -70});
    EXPECT_LT(m_buffer[1].y, 0.0);
    EXPECT_GT(m_buffer[1].y, -1.0);
    EXPECT_EQ(pixel(0, 0), qRgb(0, 128, 128));
}

TEST_F(TrajectoryTest, ReplotDrawsTheStoredRecordsInTheirColourWithinTheBuffer)
{
    {
        Surface dc(m_canvas);
        generateLine(dc, m_buffer.data(), kTen);
    }
    m_canvas.fill(Qt::white);
    {
        Surface dc(m_canvas);
        replotTrajectory(dc, m_buffer.data(), 10, RGB(0, 128, 128));
        replotTrajectory(dc, m_buffer.data(), 1 << 30, RGB(0, 128, 128));
    }
    EXPECT_EQ(pixel(100, 100), qRgb(0, 128, 128));
    EXPECT_EQ(pixel(109, 100), qRgb(0, 128, 128));
}
