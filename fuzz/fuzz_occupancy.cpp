// Fuzzes the occupancy map description reader: any text is either a description within the
// rules (a positive resolution, thresholds in 0-1 with free below occupied, a named image) or
// refused naming one of the description's keys. The first bytes, read as grey pixels, are also
// classified: every pixel ends as one of the three class colours.
#include "support.h"
#include "sim/occupancymap.h"

#include <QImage>
#include <QSet>

#include <cmath>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = parseOccupancyYaml(text, "/maps");
    if (const auto* map = std::get_if<OccupancyMapFile>(&parsed)) {
        FUZZ_CHECK(std::isfinite(map->geometry.resolution) && map->geometry.resolution > 0.0);
        FUZZ_CHECK(map->thresholds.free >= 0.0 && map->thresholds.occupied <= 1.0);
        FUZZ_CHECK(map->thresholds.free < map->thresholds.occupied);
        FUZZ_CHECK(!map->image.empty());
    } else {
        static const QSet<QString> keys = {"",        "image",           "resolution", "origin",
                                           "negate",  "occupied_thresh", "free_thresh", "mode"};
        const auto& error = std::get<OccupancyMapError>(parsed);
        FUZZ_CHECK(keys.contains(error.key) && !error.reason.isEmpty());
    }

    QImage image(8, 4, QImage::Format_ARGB32);
    for (int i = 0; i < 32; ++i) {
        const std::uint8_t v = i < int(size) ? data[i] : 0;
        image.setPixel(i % 8, i / 8, qRgba(v, v ^ 0x5a, v, i < int(size) / 2 ? 255 : v));
    }
    classifyOccupancy(image, OccupancyThresholds{0.65, 0.196, size % 2 == 1});
    FUZZ_CHECK(image.format() == QImage::Format_RGB32);
    for (int i = 0; i < 32; ++i) {
        const QRgb pixel = image.pixel(i % 8, i / 8);
        FUZZ_CHECK(pixel == kOccupiedPixel || pixel == kFreePixel || pixel == kUnknownPixel);
    }
    return 0;
}
