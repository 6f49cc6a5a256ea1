#include "curves/circle.h"
#include "curves/integration.h"
#include "curves/pointdata.h"
#include "curves/pointfile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// A stream over the given bytes, as the curve tools read files.
struct MemoryFile {
    explicit MemoryFile(const std::string& text)
    {
        file = std::tmpfile();
        std::fwrite(text.data(), 1, text.size(), file);
        std::rewind(file);
    }
    ~MemoryFile() { std::fclose(file); }
    std::FILE* file;
};

std::string written(const std::vector<float>& xs, const std::vector<float>& ys, int n)
{
    return pointFileText(xs.data(), ys.data(), n);
}

struct Points {
    std::vector<float> xs = std::vector<float>(kPointSlots, -7.0f);
    std::vector<float> ys = std::vector<float>(kPointSlots, -7.0f);
};

} // namespace

TEST(Circle, FourPointsOfRadiusTenAndTheClosingEntry)
{
    Points p;
    generateCircle(4, 1, p.xs.data(), p.ys.data());
    const std::string text = written(p.xs, p.ys, 4);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1), "0.00000044 10.00000000 \n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_NEAR(p.xs[1], -10.0f, 1e-5);
    EXPECT_NEAR(p.xs[3], 10.0f, 1e-5);
    EXPECT_EQ(p.xs[4], p.xs[3]);
    EXPECT_EQ(p.ys[4], p.ys[3]);
}

TEST(Circle, TwoPointsRadiusZeroAndAFullSet)
{
    Points p;
    generateCircle(2, 3, p.xs.data(), p.ys.data());
    EXPECT_NEAR(p.xs[0], -30.0f, 1e-4);
    EXPECT_NEAR(p.xs[1], 30.0f, 1e-4);
    generateCircle(3, 0, p.xs.data(), p.ys.data());
    std::string zeros = written(p.xs, p.ys, 3);
    zeros.erase(std::remove(zeros.begin(), zeros.end(), '-'), zeros.end());
    EXPECT_EQ(zeros, "0.00000000 0.00000000 \n0.00000000 0.00000000 \n0.00000000 0.00000000 \n");
    generateCircle(kPointCapacity, 1000, p.xs.data(), p.ys.data());
    EXPECT_EQ(p.xs[kPointCapacity], p.xs[kPointCapacity - 1]);
}

TEST(Circle, WrittenWithADecimalPointWhateverTheLocale)
{
    Points p;
    generateCircle(2, 1, p.xs.data(), p.ys.data());
    if (std::setlocale(LC_NUMERIC, "sk_SK.UTF-8") == nullptr && std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    const std::string text = written(p.xs, p.ys, 2);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text.find(','), std::string::npos) << text;
}

TEST(PointFile, TheEndOfTheFileDecidesTheLastPair)
{
    const struct {
        const char* text;
        int count;
    } cases[] = {
        {"1 2 \n3 4 \n", 2},      // as written: white space after the last pair
        {"1 2\r\n3 4\r\n", 2},    // CR LF reads alike
        {"1 2\n3 4", 1},          // the last number at the end of the file loses its pair
        {"", 0},
        {"1 2\n", 1},
        {"1 2", 0},
        {"  \t\n", 0},
        {"-0 1e999\nnan 5\n", 2},
    };
    for (const auto& c : cases) {
        Points p;
        MemoryFile file(c.text);
        const PointFileRead read = readPointFile(file.file, p.xs.data(), p.ys.data());
        EXPECT_EQ(read.count, c.count) << c.text;
        EXPECT_FALSE(read.badToken) << c.text;
    }
    Points p;
    MemoryFile file("1.5 -2.25 \n3 4 \n");
    readPointFile(file.file, p.xs.data(), p.ys.data());
    EXPECT_EQ(p.xs[0], 1.5f);
    EXPECT_EQ(p.ys[0], -2.25f);
    EXPECT_EQ(p.xs[2], 3.0f); // the read at the end stored the last pair again
}

TEST(PointFile, TextThatIsNotANumberStopsReading)
{
    for (const char* text : {"1 2\nabc 4\n5 6\n", "1,5 2\n", "1 2\n\x01\x02\xff binary"}) {
        Points p;
        MemoryFile file(text);
        const PointFileRead read = readPointFile(file.file, p.xs.data(), p.ys.data());
        EXPECT_TRUE(read.badToken) << text;
        EXPECT_EQ(read.count, 1) << text;
    }
}

TEST(PointFile, ALongFileStopsAtTheArraysEnd)
{
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += std::to_string(i) + " " + std::to_string(-i) + " \n";
    }
    Points p;
    p.xs.push_back(123.0f); // a guard entry just past the arrays
    MemoryFile file(text);
    const PointFileRead read = readPointFile(file.file, p.xs.data(), p.ys.data());
    EXPECT_EQ(read.count, kPointCapacity);
    EXPECT_EQ(p.xs[kPointCapacity], 5000.0f);
    EXPECT_EQ(p.xs[kPointSlots], 123.0f);
}

TEST(Integration, OnePairWithPeriodOneUnderBothRules)
{
    std::vector<IntegrationRecord> records(kIntegrationCapacity, IntegrationRecord{});
    Points p;
    records[0].posX = 200.0f;
    records[0].posY = 200.0f;
    MemoryFile samples("1 0\n");
    MemoryFile trace("");
    const int n = integrateFirstPass(samples.file, records.data(), 1.0f, p.xs.data(), p.ys.data(), trace.file);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(records[1].integralX, 1.0f);
    EXPECT_EQ(records[1].posX, 201.0f);
    EXPECT_EQ(records[2].integralX, 1.0f);
    EXPECT_EQ(records[2].posX, 202.0f);
    EXPECT_EQ(p.xs[2], 202.0f);
    std::rewind(trace.file);
    char lines[64] = {};
    std::fread(lines, 1, sizeof lines - 1, trace.file);
    EXPECT_STREQ(lines, "201 200\n202 200\n");

    float meanX = 0.0f;
    float meanY = 0.0f;
    integratePrecise(records.data(), 1, 1.0f, meanX, meanY);
    EXPECT_EQ(meanX, 0.5f);
    EXPECT_EQ(records[1].posX, 200.5f);
    integratePrecise(records.data(), 2, 1.0f, meanX, meanY);
    EXPECT_EQ(meanX, 0.5f);
    EXPECT_EQ(records[2].integralX, 1.0f);
    EXPECT_EQ(records[2].posX, 201.5f);
}

TEST(Integration, FieldsAreRoundedToSinglePrecisionInOrder)
{
    std::vector<IntegrationRecord> records(3, IntegrationRecord{});
    records[1].sampleX = 0.1f;
    integrateSimple(records.data(), 1, 0.02f);
    EXPECT_EQ(records[1].integralX, float(double(0.02f) * double(0.1f)));
    EXPECT_EQ(records[1].posX, float(double(0.02f) * double(records[1].integralX)));
}

TEST(Integration, ReadingEndsAtBadTextEmptyFilesAndTheRecordsEnd)
{
    std::vector<IntegrationRecord> records(kIntegrationCapacity, IntegrationRecord{});
    Points p;
    MemoryFile empty("");
    EXPECT_EQ(integrateFirstPass(empty.file, records.data(), 1.0f, p.xs.data(), p.ys.data(), nullptr), 2);
    MemoryFile bad("1 1\nx y\n2 2\n");
    EXPECT_EQ(integrateFirstPass(bad.file, records.data(), 1.0f, p.xs.data(), p.ys.data(), nullptr), 3);
    std::string many;
    for (int i = 0; i < 10000; ++i) {
        many += "1 1\n";
    }
    MemoryFile full(many);
    EXPECT_EQ(integrateFirstPass(full.file, records.data(), 0.001f, p.xs.data(), p.ys.data(), nullptr),
              kIntegrationCapacity);
}

namespace {

// One step of the rules of curves/integration.h, worked out here for one axis: the value (the
// sample, or the mean with the previous sample) is integrated twice, each result rounded to
// 32 bits.
struct Axis {
    float integral;
    float pos;
};

Axis integrateAxis(Axis previous, float period, float value)
{
    const auto integral = static_cast<float>(double(period) * double(value) + double(previous.integral));
    return {integral, static_cast<float>(double(period) * double(integral) + double(previous.pos))};
}

float meanOf(float previous, float current)
{
    return static_cast<float>((double(previous) + double(current)) * 0.5);
}

} // namespace

TEST(Integration, BothRulesIntegrateEachAxisFromItsOwnSamples)
{
    const float period = 0.02f;
    // Different, non-zero samples on the two axes, so an axis that took the other's would show.
    const float xs[] = {0.75f, 1.5f, -2.25f, 3.1f, 0.7f, 12.0f};
    const float ys[] = {-0.6f, -4.0f, 0.3f, 2.5f, -1.9f, -7.5f};
    for (const bool precise : {false, true}) {
        SCOPED_TRACE(precise ? "precise rule" : "simpler rule");
        std::vector<IntegrationRecord> records(std::size(xs), IntegrationRecord{});
        for (std::size_t k = 0; k < std::size(xs); ++k) {
            records[k].sampleX = xs[k];
            records[k].sampleY = ys[k];
        }
        records[0].integralX = 0.5f;
        records[0].integralY = -0.25f;
        records[0].posX = 200.0f;
        records[0].posY = 100.0f;
        Axis x{0.5f, 200.0f};
        Axis y{-0.25f, 100.0f};
        for (int k = 1; k < int(std::size(xs)); ++k) {
            float meanX = -99.0f;
            float meanY = -99.0f;
            if (precise) {
                integratePrecise(records.data(), k, period, meanX, meanY);
                EXPECT_EQ(meanX, meanOf(xs[k - 1], xs[k])) << k;
                EXPECT_EQ(meanY, meanOf(ys[k - 1], ys[k])) << k;
            } else {
                integrateSimple(records.data(), k, period);
            }
            x = integrateAxis(x, period, precise ? meanOf(xs[k - 1], xs[k]) : xs[k]);
            y = integrateAxis(y, period, precise ? meanOf(ys[k - 1], ys[k]) : ys[k]);
            EXPECT_EQ(records[k].integralX, x.integral) << k;
            EXPECT_EQ(records[k].integralY, y.integral) << k;
            EXPECT_EQ(records[k].posX, x.pos) << k;
            EXPECT_EQ(records[k].posY, y.pos) << k;
            EXPECT_EQ(records[k].sampleX, xs[k]) << k;
            EXPECT_EQ(records[k].sampleY, ys[k]) << k;
        }
    }
}

TEST(Integration, FirstPassIntegratesAndTracesBothAxes)
{
    std::vector<IntegrationRecord> records(kIntegrationCapacity, IntegrationRecord{});
    Points p;
    records[0].posX = 200.0f;
    records[0].posY = 300.0f;
    MemoryFile samples("3 -5\n-2 4\n");
    MemoryFile trace("");
    const int n = integrateFirstPass(samples.file, records.data(), 1.0f, p.xs.data(), p.ys.data(), trace.file);
    // The read at the end of the file leaves record 3's samples at 0.
    ASSERT_EQ(n, 4);
    Axis x{0.0f, 200.0f};
    Axis y{0.0f, 300.0f};
    const float sampleX[] = {0.0f, 3.0f, -2.0f, 0.0f};
    const float sampleY[] = {0.0f, -5.0f, 4.0f, 0.0f};
    std::string lines;
    for (int k = 1; k < n; ++k) {
        x = integrateAxis(x, 1.0f, sampleX[k]);
        y = integrateAxis(y, 1.0f, sampleY[k]);
        EXPECT_EQ(records[k].posX, x.pos) << k;
        EXPECT_EQ(records[k].posY, y.pos) << k;
        EXPECT_EQ(p.xs[k], x.pos) << k;
        EXPECT_EQ(p.ys[k], y.pos) << k;
        lines += std::to_string(int(x.pos)) + " " + std::to_string(int(y.pos)) + "\n";
    }
    EXPECT_EQ(lines, "203 295\n204 294\n205 293\n");
    std::rewind(trace.file);
    char written[64] = {};
    std::fread(written, 1, sizeof written - 1, trace.file);
    EXPECT_EQ(written, lines);
}
