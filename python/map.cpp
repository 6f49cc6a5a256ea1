#include "map.h"

#include "platform/bitmap.h"
#include "platform/lasterror.h"
#include "sim/scanner.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <QFile>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <variant>

namespace py = pybind11;

const WallDistances& Map::walls() const
{
    std::call_once(wallCache->made, [this] { wallCache->field = wallDistances(scanPixels(pixels)); });
    return wallCache->field;
}

const DistanceField& Map::distances() const
{
    std::call_once(distanceCache->made, [this] { distanceCache->field = distanceField(scanPixels(pixels)); });
    return distanceCache->field;
}

namespace {

// A file name as the program takes it, bytes: str and path-like names encoded as os.fsencode does.
std::string fileName(const py::object& path)
{
    return py::module_::import("os").attr("fsencode")(path).cast<std::string>();
}

// The program's failure codes that say what is in a file rather than why it could not be opened.
bool isContentFailure(int code)
{
    return code == 0 || code == kBitmapBadFormat || code == kBitmapTooLarge;
}

[[noreturn]] void raiseFailure(int code, const std::string& message, const py::object& path)
{
    if (isContentFailure(code)) {
        throw py::value_error(message);
    }
    // OSError(errno, text, filename) becomes FileNotFoundError and the like.
    PyErr_SetObject(PyExc_OSError, py::make_tuple(code, message, path).ptr());
    throw py::error_already_set();
}

// The RGB value of every cell of an H x W x 3 array of any kind of number, each checked to be
// a whole number 0 to 255 (what np.asarray(a, np.uint8) keeps as it is).
template<typename Fill>
void fillFromRgb(const py::array& array, Fill fill)
{
    if (array.dtype().kind() == 'u' && array.dtype().itemsize() == 1) {
        const auto cells = py::array_t<std::uint8_t, py::array::forcecast>::ensure(array).unchecked<3>();
        fill([&](py::ssize_t y, py::ssize_t x, int c) { return cells(y, x, c); });
        return;
    }
    const auto values = py::array_t<double, py::array::forcecast>::ensure(array);
    const auto cells = values.unchecked<3>();
    const double* data = values.data();
    for (py::ssize_t i = 0; i < values.size(); ++i) {
        if (!(data[i] >= 0.0 && data[i] <= 255.0 && data[i] == std::trunc(data[i]))) {
            throw py::value_error("a map's RGB values are whole numbers 0 to 255, not "
                + py::repr(py::float_(data[i])).cast<std::string>());
        }
    }
    fill([&](py::ssize_t y, py::ssize_t x, int c) { return std::uint8_t(cells(y, x, c)); });
}

Map fromArray(const py::array& array)
{
    const char kind = array.dtype().kind();
    const bool walls = kind == 'b' && array.ndim() == 2;
    const bool rgb = (kind == 'b' || kind == 'u' || kind == 'i' || kind == 'f') && array.ndim() == 3
                     && array.shape(2) == 3;
    if (!walls && !rgb) {
        throw py::value_error("a map is an H x W x 3 uint8 RGB array or an H x W bool array (True = wall), not "
            + py::str(array.dtype()).cast<std::string>() + " of " + std::to_string(array.ndim()) + " dimensions");
    }
    const py::ssize_t height = array.shape(0);
    const py::ssize_t width = array.shape(1);
    if (width <= 0 || height <= 0 || !fitsBitmapLimit(width, height)) {
        throw py::value_error("a map is 1 to " + std::to_string(kBitmapAllocationLimitMb) + " MB of 32-bit pixels, not "
            + std::to_string(width) + " x " + std::to_string(height));
    }
    // An image line is counted in bits in an int.
    if (width > (INT_MAX - 31) / 32) {
        throw py::value_error("a map is at most " + std::to_string((INT_MAX - 31) / 32) + " pixels wide, not "
            + std::to_string(width));
    }
    Map map{QImage(int(width), int(height), QImage::Format_RGB32), std::nullopt};
    if (map.pixels.isNull()) {
        const std::string message = "not enough memory for a map of " + std::to_string(width) + " x "
            + std::to_string(height);
        PyErr_SetString(PyExc_MemoryError, message.c_str());
        throw py::error_already_set();
    }
    const QRgb wall = Surface::pixelOf(kObstacleColor);
    const QRgb free = qRgb(255, 255, 255);
    if (walls) {
        const auto cells = py::array_t<bool, py::array::forcecast>::ensure(array).unchecked<2>();
        for (py::ssize_t y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(map.pixels.scanLine(int(y)));
            for (py::ssize_t x = 0; x < width; ++x) {
                line[x] = cells(y, x) ? wall : free;
            }
        }
    } else {
        fillFromRgb(array, [&](auto cell) {
            for (py::ssize_t y = 0; y < height; ++y) {
                auto* line = reinterpret_cast<QRgb*>(map.pixels.scanLine(int(y)));
                for (py::ssize_t x = 0; x < width; ++x) {
                    line[x] = qRgb(cell(y, x, 0), cell(y, x, 1), cell(y, x, 2));
                }
            }
        });
    }
    return map;
}

py::array_t<std::uint8_t> pixelsOf(const Map& map)
{
    const QImage& image = map.pixels;
    py::array_t<std::uint8_t> pixels({py::ssize_t(image.height()), py::ssize_t(image.width()), py::ssize_t(3)});
    auto out = pixels.mutable_unchecked<3>();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out(y, x, 0) = std::uint8_t(qRed(line[x]));
            out(y, x, 1) = std::uint8_t(qGreen(line[x]));
            out(y, x, 2) = std::uint8_t(qBlue(line[x]));
        }
    }
    return pixels;
}

std::optional<double> resolutionOf(const Map& map)
{
    return map.geometry ? std::optional<double>(map.geometry->resolution) : std::nullopt;
}

std::optional<py::tuple> originOf(const Map& map)
{
    if (!map.geometry) {
        return std::nullopt;
    }
    return py::make_tuple(map.geometry->originX, map.geometry->originY, map.geometry->originYaw);
}

// Why an image that is not read may still be one: a PNG wider or taller than libpng's own limit,
// which Qt's PNG reader keeps, fails as any file that is no image.
std::string sizeLimitHit(const std::string& name, int code)
{
    constexpr std::uint32_t kPngSideLimit = 1000000;
    QFile file(QFile::decodeName(QByteArray::fromStdString(name)));
    const QByteArray header = code == kBitmapBadFormat && file.open(QIODevice::ReadOnly) ? file.read(24) : QByteArray();
    if (header.size() < 24 || !header.startsWith("\x89PNG\r\n\x1a\n") || header.mid(12, 4) != "IHDR") {
        return {};
    }
    const auto side = [&](int at) {
        return std::uint32_t(std::uint8_t(header[at])) << 24 | std::uint32_t(std::uint8_t(header[at + 1])) << 16
               | std::uint32_t(std::uint8_t(header[at + 2])) << 8 | std::uint32_t(std::uint8_t(header[at + 3]));
    };
    if (std::max(side(16), side(20)) <= kPngSideLimit) {
        return {};
    }
    return " (a PNG of " + std::to_string(side(16)) + " x " + std::to_string(side(20))
           + " pixels: the PNG reader takes at most 1000000 pixels a side)";
}

// Whether a map read as an image has no wall at all and only grey pixels: an occupancy map
// read as a picture.
bool greyWithoutWalls(const QImage& image)
{
    const QRgb wall = Surface::pixelOf(kObstacleColor);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] | 0xff000000u) == wall || qRed(line[x]) != qGreen(line[x]) || qGreen(line[x]) != qBlue(line[x])) {
                return false;
            }
        }
    }
    return true;
}

Map loadMap(const py::object& path)
{
    const std::string name = fileName(path);
    if (isMapDescription(QFile::decodeName(QByteArray::fromStdString(name)))) {
        throw py::value_error(py::str(path).cast<std::string>()
                              + " is an occupancy map's description: read it with tav1.import_occupancy");
    }
    DibHandle dib;
    {
        py::gil_scoped_release released;
        dib = LoadDIBFromFile(name);
    }
    if (!dib) {
        const int code = GetLastError();
        raiseFailure(code, "Error LoadDIBFromFile: Error:" + std::to_string(code) + sizeLimitHit(name, code), path);
    }
    if (greyWithoutWalls(*dib)) {
        const std::string warning = py::str(path).cast<std::string>()
            + " is grey and has no pure red pixel, so no walls: an occupancy map is read with tav1.import_occupancy";
        if (PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) != 0) {
            throw py::error_already_set();
        }
    }
    return Map{*dib, std::nullopt};
}

Map importOccupancy(const py::object& path)
{
    const std::string name = fileName(path);
    std::variant<ImportedMap, QString> imported;
    int code = 0;
    {
        py::gil_scoped_release released;
        imported = importOccupancyMap(name);
        code = GetLastError();
    }
    if (const QString* failure = std::get_if<QString>(&imported)) {
        raiseFailure(code, failure->toStdString(), path);
    }
    ImportedMap& map = std::get<ImportedMap>(imported);
    return Map{std::move(map.image), map.geometry, true};
}

} // namespace

void bindMap(py::module_& module)
{
    py::class_<Map>(module, "Map", R"(A map: the pixels the scanner reads, pure red (255, 0, 0) being wall.

Parameters
----------
array : numpy.ndarray
    An H x W x 3 ``uint8`` array of RGB pixels, or an H x W ``bool`` array
    where True is a wall (pure red) and False free floor (white).

    Any array NumPy can give as such is taken (one unpickled, of another byte
    order, of ints or whole reals 0 to 255).

A map pickles and copies: its pixels, resolution and origin travel, and what the
first cast on it measures is made again where it is needed.

Raises
------
ValueError
    When the array is of another shape or type, empty, too large (the message
    says which limit), or holds values a uint8 cannot.
MemoryError
    When there is not enough memory for its pixels.
)")
        .def(py::init(&fromArray), py::arg("array"))
        // What is sent to another process: the pixels, where the map lies and whether it is an
        // occupancy map; the wall distances are made again where first needed.
        .def(py::pickle(
            [](const Map& map) {
                const py::object geometry = map.geometry ? py::object(py::make_tuple(map.geometry->resolution,
                                                map.geometry->originX, map.geometry->originY, map.geometry->originYaw))
                                                         : py::none();
                return py::make_tuple(pixelsOf(map), geometry, map.occupancy);
            },
            [](const py::tuple& state) {
                if (state.size() != 3) {
                    throw py::value_error("not the state of a tav1.Map");
                }
                Map map = fromArray(state[0].cast<py::array>());
                if (!state[1].is_none()) {
                    const auto geometry = state[1].cast<std::tuple<double, double, double, double>>();
                    map.geometry = MapGeometry{std::get<0>(geometry), std::get<1>(geometry), std::get<2>(geometry),
                                               std::get<3>(geometry), map.pixels.height()};
                }
                map.occupancy = state[2].cast<bool>();
                return map;
            }))
        // A map never changes: a copy shares its pixels and wall distances.
        .def("__copy__", [](const Map& map) { return map; })
        .def("__deepcopy__", [](const Map& map, const py::object&) { return map; }, py::arg("memo"))
        .def_property_readonly(
            "width", [](const Map& map) { return map.pixels.width(); }, "Width in pixels.")
        .def_property_readonly(
            "height", [](const Map& map) { return map.pixels.height(); }, "Height in pixels.")
        .def_property_readonly("resolution", &resolutionOf,
                               "Metres per pixel of an occupancy map imported with its YAML; None for a plain map.")
        .def_property_readonly("origin", &originOf,
                               "(x, y, yaw) of the map's lower-left corner in metres, as its YAML gives it; None "
                               "for a plain map.")
        .def_property_readonly(
            "pixels", &pixelsOf, "A copy of the pixels the scanner reads: an H x W x 3 ``uint8`` RGB array.");

    module.def("load_map", &loadMap, py::arg("path"), R"(Reads a map as File > Open... reads it.

BMP, PNG, PGM and any image Qt reads by content; walls are pure red. A grey
image without a pure red pixel (an occupancy map's picture) is read all the same,
with a UserWarning that it has no walls: read such maps with import_occupancy.

Parameters
----------
path : str, bytes or os.PathLike
    The file; a str is encoded as ``os.fsencode`` does.

Returns
-------
Map

Raises
------
OSError
    When the file cannot be opened, or is not a regular file (a folder, a pipe,
    a device), with the program's message "Error LoadDIBFromFile: Error:<code>".
ValueError
    When the file is not an image that can be read, is too large, or is an
    occupancy map's description (.yaml, .yml).
)");
    module.def("import_occupancy", &importOccupancy, py::arg("path"),
        R"(Imports an occupancy map as File > Import occupancy map... does.

A YAML description (.yaml, .yml) with its image, or a grey image read with the
default thresholds; walls become pure red, free space white, unknown grey.

Parameters
----------
path : str, bytes or os.PathLike
    The description or image; a str is encoded as ``os.fsencode`` does.

Returns
-------
Map
    With ``resolution`` and ``origin`` when a description gave them.

Raises
------
OSError
    When a file cannot be opened or is not a regular file.
ValueError
    When the description or the image is bad; the text is the program's message.
)");
}
