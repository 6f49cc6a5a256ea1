#include "sim/trajectory.h"

#include "sim/animation.h"
#include "sim/geometry.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
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

// Sample i by the formula of sim/trajectory.h, worked out here: the bearing theta and length L
// of the chord and the step w = period / L are rounded to 32 bits, all else is double.
TrajectoryPoint expectedSample(const ChordPoints& chord, int amplitude, float period, int i)
{
    const double dx = double(chord.endX) - double(chord.startX);
    const double dy = double(chord.endY) - double(chord.startY);
    const auto theta = static_cast<float>(std::atan2(dy, dx));
    const auto length = static_cast<float>(std::sqrt(std::pow(dy, 2.0) + std::pow(dx, 2.0)));
    const auto w = static_cast<float>(double(period) / double(length));
    const double s = double(amplitude) * std::sin(double(i) * double(w));
    return {double(chord.startX) + double(i) * std::cos(double(theta)) + s * std::sin(double(theta)),
            double(chord.startY) + double(i) * std::sin(double(theta)) - s * std::cos(double(theta)), 0};
}

} // namespace

TEST_F(TrajectoryTest, SineSamplesAreExactlyTheFormulaWithTheStepRoundedTo32Bits)
{
    const auto twoPi = static_cast<float>(2.0 * std::numbers::pi);
    const auto pi = static_cast<float>(std::numbers::pi);
    Surface dc(m_canvas);
    // Along a row, and slanted both ways (bearings of atan2(4, 3) and of atan2(-5, 12)).
    for (const ChordPoints& chord : {kTen, ChordPoints{100, 100, 130, 140}, ChordPoints{20, 150, 280, 50}}) {
        SCOPED_TRACE(testing::Message() << chord.startX << "," << chord.startY << " -> " << chord.endX << ","
                                        << chord.endY);
        const TrajectoryResult full = generateSin2Pi(dc, m_buffer.data(), chord, 40);
        ASSERT_GT(full.count, 9);
        for (int i = 0; i < full.count; ++i) {
            const TrajectoryPoint expected = expectedSample(chord, 40, twoPi, i);
            EXPECT_EQ(m_buffer[i].x, expected.x) << "full sine, sample " << i;
            EXPECT_EQ(m_buffer[i].y, expected.y) << "full sine, sample " << i;
        }
        const TrajectoryResult half = generateSinPi(dc, m_buffer.data(), chord, 25);
        EXPECT_EQ(half.count, full.count);
        EXPECT_EQ(m_buffer[0].x, double(chord.startX));
        EXPECT_EQ(m_buffer[0].y, double(chord.startY));
        for (int i = 1; i < half.count; ++i) {
            const TrajectoryPoint expected = expectedSample(chord, 25, pi, i);
            EXPECT_EQ(m_buffer[i].x, expected.x) << "half sine, sample " << i;
            EXPECT_EQ(m_buffer[i].y, expected.y) << "half sine, sample " << i;
        }
    }
}

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

// A run ends by the start-end distance; a loaded path's record count stands in for it. For a
// generated path, as long as its points have not moved, the two give the same steps: the count is
// the first whole number not below the length, or the buffer's end.
TEST_F(TrajectoryTest, ARunOfAGeneratedPathMakesTheSameStepsByItsRecordCount)
{
    Surface dc(m_canvas);
    const ChordPoints chords[] = {kTen, {0, 0, 7, 5}, {0, 0, 30, 0}, {5, 5, 5, 5}, {0, 0, 31, 1}, {10, 10, 400, 333},
                                  {0, 0, 70000, 1}, {-3, 2, 123456, -99999}};
    for (const ChordPoints& chord : chords) {
        const auto length =
            static_cast<float>(GetDistance(chord.startX, chord.startY, chord.endX, chord.endY));
        for (const TrajectoryResult result : {generateSin2Pi(dc, m_buffer.data(), chord, 40),
                                              generateSinPi(dc, m_buffer.data(), chord, 40),
                                              generateLine(dc, m_buffer.data(), chord)}) {
            EXPECT_EQ(animationStepCount(length, result.count),
                      animationStepCount(static_cast<float>(result.count), result.count))
                << chord.endX << "," << chord.endY << ": " << result.count << " records";
        }
    }
}
