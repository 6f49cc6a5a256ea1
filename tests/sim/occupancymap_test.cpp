// Occupancy maps from mapping tools: grey levels to walls, free space and unknown, the YAML
// description read or refused key by key, and positions in metres.
#include "sim/occupancymap.h"

#include "common/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

// A row of the 256 grey levels, v at x = v.
QImage greyRamp()
{
    QImage ramp(256, 1, QImage::Format_ARGB32);
    for (int v = 0; v < 256; ++v) {
        ramp.setPixel(v, 0, qRgb(v, v, v));
    }
    return ramp;
}

// The grey levels from which on (upwards) each class starts, read back from a classified ramp.
std::map<QRgb, std::pair<int, int>> classRanges(const QImage& classified)
{
    std::map<QRgb, std::pair<int, int>> ranges;
    for (int v = 0; v < 256; ++v) {
        const QRgb pixel = classified.pixel(v, 0);
        auto [at, fresh] = ranges.try_emplace(pixel, v, v);
        at->second.second = v;
    }
    return ranges;
}

std::map<QRgb, int> countClasses(const QImage& image)
{
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    return counts;
}

OccupancyMapError errorOf(const std::string& yaml)
{
    auto parsed = parseOccupancyYaml(yaml, "/maps");
    const auto* error = std::get_if<OccupancyMapError>(&parsed);
    return error != nullptr ? *error : OccupancyMapError{QStringLiteral("(accepted)"), QString()};
}

// An 8-bit binary PGM as mapping tools save it, with a comment in its header.
QByteArray pgm(int width, int height, const QByteArray& pixels)
{
    return QByteArray("P5\n# CREATOR: a mapping tool 0.050 m/pix\n") + QByteArray::number(width) + ' '
        + QByteArray::number(height) + "\n255\n" + pixels;
}

// Imports the map at a path given as text.
std::variant<ImportedMap, QString> importAt(const QString& path)
{
    return importOccupancyMap(QFile::encodeName(path).toStdString());
}

} // namespace

TEST(OccupancyClasses, TheThresholdsSplitTheGreyLevelsStrictly)
{
    // p = (255 - v) / 255: p > 0.65 for v <= 89, p < 0.196 for v >= 206 (205 is the unknown of
    // mapping tools: p = 0.19608).
    QImage ramp = greyRamp();
    classifyOccupancy(ramp, OccupancyThresholds());
    EXPECT_EQ(ramp.format(), QImage::Format_RGB32);
    auto ranges = classRanges(ramp);
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_EQ(ranges[kOccupiedPixel], std::make_pair(0, 89));
    EXPECT_EQ(ranges[kUnknownPixel], std::make_pair(90, 205));
    EXPECT_EQ(ranges[kFreePixel], std::make_pair(206, 255));

    // Negated, p = v / 255: white is the wall. A level right on a threshold (p = 0.2 at 51,
    // 0.6 at 153) is unknown.
    ramp = greyRamp();
    classifyOccupancy(ramp, {0.6, 0.2, true});
    ranges = classRanges(ramp);
    EXPECT_EQ(ranges[kFreePixel], std::make_pair(0, 50));
    EXPECT_EQ(ranges[kUnknownPixel], std::make_pair(51, 153));
    EXPECT_EQ(ranges[kOccupiedPixel], std::make_pair(154, 255));
}

TEST(OccupancyClasses, ColoursGoByTheMeanOfTheirChannelsAndTransparentPixelsAreUnknown)
{
    QImage image(5, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));        // mean 85: a wall, pure red stays pure red
    image.setPixel(1, 0, qRgb(255, 255, 0));      // mean 170: unknown
    image.setPixel(2, 0, qRgb(200, 255, 255));    // mean 236.7: free
    image.setPixel(3, 0, qRgba(0, 0, 0, 0));      // black, but transparent
    image.setPixel(4, 0, qRgba(255, 255, 255, 1)); // nearly transparent white: free
    classifyOccupancy(image, OccupancyThresholds());
    EXPECT_EQ(image.pixel(0, 0), kOccupiedPixel);
    EXPECT_EQ(image.pixel(1, 0), kUnknownPixel);
    EXPECT_EQ(image.pixel(2, 0), kFreePixel);
    EXPECT_EQ(image.pixel(3, 0), kUnknownPixel);
    EXPECT_EQ(image.pixel(4, 0), kFreePixel);
    EXPECT_EQ(kOccupiedPixel, qRgb(255, 0, 0));
    EXPECT_EQ(kUnknownPixel, qRgb(205, 205, 205));
}

TEST(OccupancyDescription, EveryKeyIsReadAndTheImageIsFoundBesideIt)
{
    auto parsed = parseOccupancyYaml("image: maps/lab.pgm\nmode: trinary\nresolution: 0.025\n"
                                     "origin: [-12.5, 3.25, 1.5707]\nnegate: 1\n"
                                     "occupied_thresh: 0.7\nfree_thresh: 0.2\n",
                                     "/home/student/run");
    ASSERT_TRUE(std::holds_alternative<OccupancyMapFile>(parsed));
    const OccupancyMapFile& map = std::get<OccupancyMapFile>(parsed);
    EXPECT_EQ(map.image, "/home/student/run/maps/lab.pgm");
    EXPECT_EQ(map.geometry.resolution, 0.025);
    EXPECT_EQ(map.geometry.originX, -12.5);
    EXPECT_EQ(map.geometry.originY, 3.25);
    EXPECT_EQ(map.geometry.originYaw, 1.5707);
    EXPECT_TRUE(map.thresholds.negate);
    EXPECT_EQ(map.thresholds.occupied, 0.7);
    EXPECT_EQ(map.thresholds.free, 0.2);

    // An absolute image name stays; what is left out takes the defaults of a plain grey image.
    parsed = parseOccupancyYaml("{image: /srv/map.png, resolution: 1, negate: false}", "/x");
    ASSERT_TRUE(std::holds_alternative<OccupancyMapFile>(parsed));
    const OccupancyMapFile& lean = std::get<OccupancyMapFile>(parsed);
    EXPECT_EQ(lean.image, "/srv/map.png");
    EXPECT_EQ(lean.geometry.originX, 0.0);
    EXPECT_FALSE(lean.thresholds.negate);
    EXPECT_EQ(lean.thresholds.occupied, 0.65);
    EXPECT_EQ(lean.thresholds.free, 0.196);
}

TEST(OccupancyDescription, AFaultyDescriptionNamesItsKey)
{
    const std::string image = "image: m.pgm\n";
    const std::string good = image + "resolution: 0.05\n";
    const struct {
        std::string yaml;
        const char* key;
        const char* reason;
    } cases[] = {
        {"resolution: 0.05\n", "image", "is missing"},
        {"image:\nresolution: 0.05\n", "image", "names no file"},
        {"image: [a, b]\nresolution: 0.05\n", "image", "names no file"},
        {"image: \"m.pgm\\0x\"\nresolution: 0.05\n", "image", "names no file: it holds a NUL byte"},
        {image, "resolution", "is missing"},
        {image + "resolution: -0.05\n", "resolution", "-0.05 is not above 0"},
        {image + "resolution: 0\n", "resolution", "0 is not above 0"},
        {image + "resolution: fine\n", "resolution", "fine is not a number"},
        {image + "resolution: .nan\n", "resolution", ".nan is not a number"},
        {good + "origin: [1, 2]\n", "origin", "is not [x, y, yaw]"},
        {good + "origin: [1, left, 0]\n", "origin", "left is not a number"},
        {good + "occupied_thresh: 1.5\n", "occupied_thresh", "1.5 is outside 0 to 1"},
        {good + "free_thresh: -0.1\n", "free_thresh", "-0.1 is outside 0 to 1"},
        {good + "occupied_thresh: 0.3\nfree_thresh: 0.3\n", "free_thresh", "0.3 is not below occupied_thresh 0.3"},
        {good + "occupied_thresh: 0.1\n", "free_thresh", "0.196 is not below occupied_thresh 0.1"},
        {good + "negate: 2\n", "negate", "2 is neither 0 nor 1"},
        {good + "mode: scale\n", "mode", "scale is not supported: only trinary maps are imported"},
        {good + "mode: raw\n", "mode", "raw is not supported: only trinary maps are imported"},
        {good + "mode: fancy\n", "mode", "fancy is not a mode (trinary, scale or raw)"},
        {"- image: m.pgm\n", "", "is not a map description (keys and values)"},
        {"image: [unclosed\n", "", "is not YAML (line 2"},
    };
    for (const auto& c : cases) {
        const OccupancyMapError error = errorOf(c.yaml);
        EXPECT_EQ(error.key, c.key) << c.yaml;
        EXPECT_TRUE(error.reason.startsWith(QString::fromUtf8(c.reason))) << c.yaml << " -> " << error.reason.toStdString();
    }
}

TEST(OccupancyImport, AMapAsMappingToolsSaveItIsClassifiedPixelByPixelAndLeftAsItWas)
{
    // 40 x 30 pixels: 300 walls (0), 500 unknown (205), the rest free (254).
    QByteArray pixels(40 * 30, char(254));
    std::fill_n(pixels.data() + 0, 300, char(0));
    std::fill_n(pixels.data() + 300, 500, char(205));
    QTemporaryDir dir;
    const QByteArray image = pgm(40, 30, pixels);
    const QByteArray yaml = "image: room.pgm\nresolution: 0.05\norigin: [-1.0, -0.5, 0.0]\nnegate: 0\n"
                            "occupied_thresh: 0.65\nfree_thresh: 0.196\nmode: trinary\n";
    ASSERT_TRUE(writeFileBytes(dir.filePath("room.pgm"), image));
    ASSERT_TRUE(writeFileBytes(dir.filePath("room.yaml"), yaml));

    auto imported = importAt(dir.filePath("room.yaml"));
    ASSERT_TRUE(std::holds_alternative<ImportedMap>(imported)) << std::get<QString>(imported).toStdString();
    const ImportedMap& map = std::get<ImportedMap>(imported);
    EXPECT_EQ(map.image.size(), QSize(40, 30));
    EXPECT_EQ(countClasses(map.image),
              (std::map<QRgb, int>{{kOccupiedPixel, 300}, {kUnknownPixel, 500}, {kFreePixel, 400}}));
    EXPECT_EQ(map.image.pixel(39, 29), kFreePixel);
    ASSERT_TRUE(map.geometry);
    EXPECT_EQ(map.geometry->heightPixels, 30);
    EXPECT_EQ(readFileBytes(dir.filePath("room.pgm")), image);
    EXPECT_EQ(readFileBytes(dir.filePath("room.yaml")), yaml);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"room.pgm", "room.yaml"}));

    // The description's thresholds are the ones applied: negated, the black walls are free.
    ASSERT_TRUE(writeFileBytes(dir.filePath("negated.yaml"), "image: room.pgm\nresolution: 0.05\nnegate: 1\n"));
    imported = importAt(dir.filePath("negated.yaml"));
    ASSERT_TRUE(std::holds_alternative<ImportedMap>(imported));
    EXPECT_EQ(countClasses(std::get<ImportedMap>(imported).image),
              (std::map<QRgb, int>{{kOccupiedPixel, 900}, {kFreePixel, 300}}));
    QFile::remove(dir.filePath("negated.yaml"));

    // The image alone imports with the default thresholds, and has no place in the world.
    imported = importAt(dir.filePath("room.pgm"));
    ASSERT_TRUE(std::holds_alternative<ImportedMap>(imported));
    EXPECT_EQ(countClasses(std::get<ImportedMap>(imported).image),
              (std::map<QRgb, int>{{kOccupiedPixel, 300}, {kUnknownPixel, 500}, {kFreePixel, 400}}));
    EXPECT_FALSE(std::get<ImportedMap>(imported).geometry);
}

TEST(OccupancyImport, WhatCannotBeReadIsNamedWithItsFileAndKey)
{
    QTemporaryDir dir;
    const QString yaml = dir.filePath("lab.yaml");
    ASSERT_TRUE(writeFileBytes(yaml, "image: lab.pgm\nresolution: 0.05\n"));
    auto imported = importAt(yaml);
    EXPECT_EQ(std::get<QString>(imported),
              yaml + ": image: " + dir.filePath("lab.pgm") + " cannot be read (No such file or directory)");

    ASSERT_TRUE(writeFileBytes(dir.filePath("lab.pgm"), "P5\n40 30\n255\nshort"));
    imported = importAt(yaml);
    EXPECT_EQ(std::get<QString>(imported),
              yaml + ": image: " + dir.filePath("lab.pgm") + " cannot be read (not an image that can be read)");

    ASSERT_TRUE(writeFileBytes(yaml, "image: lab.pgm\nresolution: 0.05\nfree_thresh: 2\n"));
    EXPECT_EQ(std::get<QString>(importAt(yaml)), yaml + ": free_thresh: 2 is outside 0 to 1");
    EXPECT_EQ(std::get<QString>(importAt(dir.filePath("none.yaml"))),
              dir.filePath("none.yaml") + ": No such file or directory");
    EXPECT_EQ(std::get<QString>(importAt(dir.path() + "/")), dir.path() + "/ cannot be read (Is a directory)");
}

TEST(OccupancyGeometry, PositionsAreMetresFromTheLowerLeftCornerYUp)
{
    const MapGeometry geometry{0.05, -3.0, -2.5, 0.0, 600};
    // The centre of the lower-left pixel, and of the upper-right one of an 800 x 600 map.
    EXPECT_EQ(toMetres(geometry, {0, 599}), QPointF(-3.0 + 0.025, -2.5 + 0.025));
    const QPointF upperRight = toMetres(geometry, {799, 0});
    EXPECT_DOUBLE_EQ(upperRight.x(), -3.0 + 39.975);
    EXPECT_DOUBLE_EQ(upperRight.y(), -2.5 + 29.975);
}

TEST(OccupancyGeometry, ADescriptionPuttingACornerBeyondTheFiniteNumbersIsRefusedByItsKey)
{
    const struct {
        MapGeometry geometry;
        const char* key;
    } cases[] = {
        {{0.05, -3.0, -2.5, 0.0, 600}, nullptr},
        {{1e308, 0.0, 0.0, 0.0, 600}, "resolution"},
        {{1e305, 1.7e308, 0.0, 0.0, 600}, "origin"},
        {{1e305, 0.0, 1.7e308, 0.0, 600}, "origin"},
        {{1e305, -1.7e308, -1.7e308, 0.0, 600}, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(keyOverflowingCorners(c.geometry, 800), c.key) << c.geometry.resolution << " " << c.geometry.originX;
    }

    QTemporaryDir dir;
    ASSERT_TRUE(writeFileBytes(dir.filePath("room.pgm"), pgm(40, 30, QByteArray(40 * 30, char(254)))));
    ASSERT_TRUE(writeFileBytes(dir.filePath("room.yaml"), "image: room.pgm\nresolution: 1e308\n"));
    EXPECT_EQ(std::get<QString>(importAt(dir.filePath("room.yaml"))),
              dir.filePath("room.yaml") + ": resolution: puts the map's corners in metres beyond the numbers a position can hold");
}
