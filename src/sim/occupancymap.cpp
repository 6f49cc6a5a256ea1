#include "sim/occupancymap.h"

#include "platform/bitmap.h"
#include "platform/fileopen.h"
#include "platform/lasterror.h"

#include <QFile>
#include <QFileInfo>

#include <yaml-cpp/yaml.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace {

// A description is a few lines; anything far larger is not one.
constexpr qint64 kMaxDescriptionBytes = 1 << 20;

// Thrown while reading a description, caught where the reading starts.
struct KeyError {
    const char* key;
    QString reason;
};

QString textOf(const YAML::Node& node)
{
    return node.IsScalar() ? QString::fromStdString(node.Scalar()) : QStringLiteral("(not a single value)");
}

double number(const YAML::Node& node, const char* key)
{
    double value = 0.0;
    if (!node.IsScalar() || !YAML::convert<double>::decode(node, value) || !std::isfinite(value)) {
        // A number a double cannot hold (1e999, 1e-400) is a number all the same.
        const std::string& text = node.IsScalar() ? node.Scalar() : std::string();
        const char* end = text.data() + text.size();
        const std::from_chars_result read = std::from_chars(text.data(), end, value);
        const bool outOfRange = read.ec == std::errc::result_out_of_range && read.ptr == end;
        throw KeyError{key, (outOfRange ? QStringLiteral("%1 is out of range") : QStringLiteral("%1 is not a number"))
                                .arg(textOf(node))};
    }
    return value;
}

double threshold(const YAML::Node& document, const char* key, double fallback)
{
    const YAML::Node node = document[key];
    if (!node) {
        return fallback;
    }
    const double value = number(node, key);
    if (value < 0.0 || value > 1.0) {
        throw KeyError{key, QStringLiteral("%1 is outside 0 to 1").arg(textOf(node))};
    }
    return value;
}

bool negate(const YAML::Node& document)
{
    const YAML::Node node = document["negate"];
    if (!node) {
        return false;
    }
    int asNumber = 0;
    bool asTruth = false;
    if (node.IsScalar() && YAML::convert<int>::decode(node, asNumber) && (asNumber == 0 || asNumber == 1)) {
        return asNumber == 1;
    }
    if (node.IsScalar() && YAML::convert<bool>::decode(node, asTruth)) {
        return asTruth;
    }
    throw KeyError{"negate", QStringLiteral("%1 is neither 0 nor 1").arg(textOf(node))};
}

OccupancyMapFile readDescription(const YAML::Node& document, const std::string& folder)
{
    if (!document.IsMap()) {
        throw KeyError{"", QStringLiteral("is not a map description (keys and values)")};
    }
    OccupancyMapFile map;
    const YAML::Node image = document["image"];
    if (!image) {
        throw KeyError{"image", QStringLiteral("is missing")};
    }
    if (!image.IsScalar() || image.Scalar().empty()) {
        throw KeyError{"image", QStringLiteral("names no file")};
    }
    // The system would take the name only up to the NUL, and so open another file.
    if (image.Scalar().find('\0') != std::string::npos) {
        throw KeyError{"image", QStringLiteral("names no file: it holds a NUL byte")};
    }
    map.image = (std::filesystem::path(folder) / image.Scalar()).native();

    const YAML::Node resolution = document["resolution"];
    if (!resolution) {
        throw KeyError{"resolution", QStringLiteral("is missing")};
    }
    map.geometry.resolution = number(resolution, "resolution");
    if (map.geometry.resolution <= 0.0) {
        throw KeyError{"resolution", QStringLiteral("%1 is not above 0").arg(textOf(resolution))};
    }
    if (const YAML::Node origin = document["origin"]) {
        if (!origin.IsSequence() || origin.size() != 3) {
            throw KeyError{"origin", QStringLiteral("is not [x, y, yaw]")};
        }
        map.geometry.originX = number(origin[0], "origin");
        map.geometry.originY = number(origin[1], "origin");
        map.geometry.originYaw = number(origin[2], "origin");
    }

    map.thresholds.negate = negate(document);
    map.thresholds.occupied = threshold(document, "occupied_thresh", map.thresholds.occupied);
    map.thresholds.free = threshold(document, "free_thresh", map.thresholds.free);
    if (!(map.thresholds.free < map.thresholds.occupied)) {
        throw KeyError{"free_thresh", QStringLiteral("%1 is not below occupied_thresh %2")
                                          .arg(map.thresholds.free)
                                          .arg(map.thresholds.occupied)};
    }
    if (const YAML::Node mode = document["mode"]) {
        const QString name = textOf(mode);
        if (name == QLatin1String("scale") || name == QLatin1String("raw")) {
            throw KeyError{"mode", QStringLiteral("%1 is not supported: only trinary maps are imported").arg(name)};
        }
        if (name != QLatin1String("trinary")) {
            throw KeyError{"mode", QStringLiteral("%1 is not a mode (trinary, scale or raw)").arg(name)};
        }
    }
    return map;
}

// A file name's bytes as a message shows them.
QString shownName(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

// Why an image could not be read, from the last error its reader left.
QString readFailure()
{
    switch (const int code = GetLastError()) {
    case kBitmapBadFormat:
        return QStringLiteral("not an image that can be read");
    case kBitmapTooLarge:
        return QStringLiteral("too large, or not enough memory");
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
}

std::variant<std::string, QString> readDescriptionText(const std::string& path)
{
    errno = 0;
    QFile file;
    if (!openForReading(path, file)) {
        SetLastErrorFromErrno(EACCES);
        return QString::fromLocal8Bit(std::strerror(GetLastError()));
    }
    if (file.size() > kMaxDescriptionBytes) {
        return QStringLiteral("too large to be a map description");
    }
    return file.readAll().toStdString();
}

} // namespace

std::variant<OccupancyMapFile, OccupancyMapError> parseOccupancyYaml(const std::string& text,
                                                                     const std::string& folder)
{
    try {
        return readDescription(YAML::Load(text), folder);
    } catch (const KeyError& error) {
        return OccupancyMapError{QString::fromLatin1(error.key), error.reason};
    } catch (const YAML::Exception& error) {
        return OccupancyMapError{QString(), QStringLiteral("is not YAML (line %1: %2)")
                                                .arg(error.mark.line + 1)
                                                .arg(QString::fromStdString(error.msg))};
    }
}

void classifyOccupancy(QImage& image, const OccupancyThresholds& thresholds)
{
    image.convertTo(QImage::Format_ARGB32);
    // The class of every sum of the three channels, worked out once: a map has millions of pixels.
    std::array<QRgb, 3 * 255 + 1> bySum;
    for (int sum = 0; sum < int(bySum.size()); ++sum) {
        const double v = sum / 3.0;
        const double p = thresholds.negate ? v / 255.0 : (255.0 - v) / 255.0;
        bySum[sum] = p > thresholds.occupied ? kOccupiedPixel : p < thresholds.free ? kFreePixel : kUnknownPixel;
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qAlpha(pixel) == 0 ? kUnknownPixel : bySum[qRed(pixel) + qGreen(pixel) + qBlue(pixel)];
        }
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
}

bool isMapDescription(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("yaml") || suffix == QLatin1String("yml");
}

std::variant<ImportedMap, QString> importOccupancyMap(const std::string& path)
{
    SetLastError(0);
    const QString shownPath = shownName(path);
    OccupancyMapFile description;
    std::optional<MapGeometry> geometry;
    // What names the image in a message: the description and its key, when there is one.
    QString imageNamedBy;
    if (isMapDescription(shownPath)) {
        const auto text = readDescriptionText(path);
        if (const QString* failure = std::get_if<QString>(&text)) {
            return QStringLiteral("%1: %2").arg(shownPath, *failure);
        }
        const std::string folder = std::filesystem::path(absoluteName(path)).parent_path().native();
        auto parsed = parseOccupancyYaml(std::get<std::string>(text), folder);
        if (const auto* error = std::get_if<OccupancyMapError>(&parsed)) {
            return error->key.isEmpty() ? QStringLiteral("%1: %2").arg(shownPath, error->reason)
                                        : QStringLiteral("%1: %2: %3").arg(shownPath, error->key, error->reason);
        }
        description = std::get<OccupancyMapFile>(std::move(parsed));
        geometry = description.geometry;
        imageNamedBy = QStringLiteral("%1: image: ").arg(shownPath);
    } else {
        description.image = path;
    }
    std::optional<QImage> image = readImageFile(description.image, QImage::Format_ARGB32);
    if (!image) {
        return QStringLiteral("%1%2 cannot be read (%3)").arg(imageNamedBy, shownName(description.image), readFailure());
    }
    if (geometry) {
        geometry->heightPixels = image->height();
        if (const char* key = keyOverflowingCorners(*geometry, image->width())) {
            return QStringLiteral("%1: %2: puts the map's corners in metres beyond the numbers a position can hold")
                .arg(shownPath, QLatin1String(key));
        }
    }
    classifyOccupancy(*image, description.thresholds);
    return ImportedMap{*std::move(image), geometry};
}

const char* keyOverflowingCorners(const MapGeometry& geometry, int widthPixels)
{
    const double width = widthPixels * geometry.resolution;
    const double height = geometry.heightPixels * geometry.resolution;
    if (!std::isfinite(width) || !std::isfinite(height)) {
        return "resolution";
    }
    if (!std::isfinite(geometry.originX + width) || !std::isfinite(geometry.originY + height)) {
        return "origin";
    }
    return nullptr;
}

QPointF toMetres(const MapGeometry& geometry, QPointF mapPixel)
{
    return {geometry.originX + (mapPixel.x() + 0.5) * geometry.resolution,
            geometry.originY + (geometry.heightPixels - mapPixel.y() - 0.5) * geometry.resolution};
}

QPointF toPixels(const MapGeometry& geometry, QPointF metres)
{
    return {(metres.x() - geometry.originX) / geometry.resolution - 0.5,
            geometry.heightPixels - 0.5 - (metres.y() - geometry.originY) / geometry.resolution};
}
