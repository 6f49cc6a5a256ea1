#pragma once

#include <QImage>
#include <QPointF>
#include <QString>

#include <optional>
#include <string>
#include <variant>

// Occupancy maps as mapping tools save them: a grey image (black walls, white free space, grey
// unknown) and a YAML description. Imported, every pixel becomes one of three colours, so that
// the walls are the pure red the scanner stops at.
constexpr QRgb kOccupiedPixel = 0xffff0000;
constexpr QRgb kFreePixel = 0xffffffff;
constexpr QRgb kUnknownPixel = 0xffcdcdcd;

// How a grey level v (0-255) becomes a class: p = (255 - v) / 255, or v / 255 when negated;
// p above `occupied` is a wall, below `free` free space, anything between unknown.
struct OccupancyThresholds {
    double occupied = 0.65;
    double free = 0.196;
    bool negate = false;
};

// Where the map lies in the world: metres per pixel and the position of its lower-left corner.
// The yaw is kept as read; positions are given along the image's axes (x right, y up).
struct MapGeometry {
    double resolution = 1.0;
    double originX = 0.0;
    double originY = 0.0;
    double originYaw = 0.0;
    int heightPixels = 0;
};

// A YAML map description: the image it names (resolved against the description's folder; the
// name's bytes as written, which need not be UTF-8) and how to read it.
struct OccupancyMapFile {
    std::string image;
    MapGeometry geometry;
    OccupancyThresholds thresholds;
};

// What is wrong with a description: the key at fault (empty for the document as a whole).
struct OccupancyMapError {
    QString key;
    QString reason;
};

// A map ready to be drawn (32-bit RGB) and, when it came with a description, its geometry.
struct ImportedMap {
    QImage image;
    std::optional<MapGeometry> geometry;
};

// Reads a description's text; `folder` is where a relative image name is looked for.
std::variant<OccupancyMapFile, OccupancyMapError> parseOccupancyYaml(const std::string& text,
                                                                     const std::string& folder);

// Replaces every pixel by its class colour; a fully transparent pixel is unknown. The image
// ends as 32-bit RGB.
void classifyOccupancy(QImage& image, const OccupancyThresholds& thresholds);

// Whether a file name is a map description rather than an image (.yaml, .yml).
bool isMapDescription(const QString& path);

// Imports a description with its image, or a plain grey image with the default thresholds; the
// path is bytes (see platform/fileopen.h). On failure, a message that names the file (and the
// description's key at fault), with the last error the errno of a file that could not be
// opened, the image reader's code, or 0 for a fault in the description.
std::variant<ImportedMap, QString> importOccupancyMap(const std::string& path);

// The key ("resolution" or "origin") that puts a corner of a map this wide in metres beyond the
// finite numbers, or null when every corner is finite.
const char* keyOverflowingCorners(const MapGeometry& geometry, int widthPixels);

// The position in metres of a point given in map pixels (pixel centres at whole numbers; the
// map lies at the canvas's origin, so these are canvas pixels too).
QPointF toMetres(const MapGeometry& geometry, QPointF mapPixel);
// Its inverse: the map pixel (not rounded) of a position in metres.
QPointF toPixels(const MapGeometry& geometry, QPointF metres);
