#include "args.h"
#include "map.h"

#include "platform/pixelmath.h"
#include "sim/cartcollision.h"
#include "sim/scanner.h"

#include <pybind11/numpy.h>

#include <functional>

namespace py = pybind11;

namespace {

// An H x W bool array of the pixels that are `colour`.
py::array_t<bool> pixelsOfColour(const Map& map, QRgb colour, bool any)
{
    const QImage& image = map.pixels;
    py::array_t<bool> cells({ py::ssize_t(image.height()), py::ssize_t(image.width()) });
    auto out = cells.mutable_unchecked<2>();
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out(y, x) = any && (line[x] | 0xff000000u) == colour;
        }
    }
    return cells;
}

const MapGeometry& geometryOf(const Map& map)
{
    if (!map.geometry) {
        throw py::value_error("the map has no resolution and origin: import an occupancy map with its YAML "
                              "description (tav1.import_occupancy)");
    }
    return *map.geometry;
}

// Each row x, y of `xy` through `convert`, as an N x 2 float64 array.
py::array_t<double> convertRows(const py::object& xy, const std::function<QPointF(QPointF)>& convert)
{
    const auto rows = realRows(xy, "xy", 2, 0, "xy is an N x 2 array of x, y");
    py::array_t<double> converted({ rows.shape(0), py::ssize_t(2) });
    const auto in = rows.unchecked<2>();
    auto out = converted.mutable_unchecked<2>();
    for (py::ssize_t i = 0; i < rows.shape(0); ++i) {
        const QPointF point = convert(QPointF(in(i, 0), in(i, 1)));
        out(i, 0) = point.x();
        out(i, 1) = point.y();
    }
    return converted;
}

py::array_t<bool> collides(const Map& map, const py::object& xy, const py::object& radiusArgument)
{
    const auto rows = realRows(xy, "xy", 2, 2, "xy is an N x 2 array of x, y");
    const int radius = int(wholeNumber(radiusArgument, "radius", 0, 1000));
    const std::vector<QPoint> footprint = cartFootprint(radius);
    py::array_t<bool> hit(rows.shape(0));
    const auto in = rows.unchecked<2>();
    bool* out = hit.mutable_data();
    {
        py::gil_scoped_release released;
        for (py::ssize_t i = 0; i < rows.shape(0); ++i) {
            out[i] = footprintHitsWall(map.pixels, footprint, truncToPixel(in(i, 0)), truncToPixel(in(i, 1)));
        }
    }
    return hit;
}

} // namespace

void bindGeometry(py::module_& module)
{
    auto map = py::reinterpret_borrow<py::class_<Map>>(module.attr("Map"));
    map.def_property_readonly(
           "walls", [](const Map& m) { return pixelsOfColour(m, Surface::pixelOf(kObstacleColor), true); },
           "An H x W ``bool`` array: True where a pixel is pure red, a wall that stops a ray and the cart.")
        .def_property_readonly(
            "unknown", [](const Map& m) { return pixelsOfColour(m, kUnknownPixel, m.occupancy); },
            "An H x W ``bool`` array: True at the unknown (grey) cells of an occupancy map, all False for\n"
            "any other map. Rays and the cart pass unknown cells.")
        .def(
            "to_metres",
            [](const Map& m, const py::object& xy) {
                const MapGeometry& geometry = geometryOf(m);
                return convertRows(xy, [&](QPointF p) { return toMetres(geometry, p); });
            },
            py::arg("xy"), R"(Map pixels to metres, as File > Export run writes cart_x_m and cart_y_m.

A pixel's centre: x_m = origin_x + (x + 0.5) * resolution and
y_m = origin_y + (height - y - 0.5) * resolution (y up in metres, down in
pixels). The origin's yaw is not applied.

Parameters
----------
xy : array_like, shape (N, 2)
    Positions in map pixels (whole numbers for pixels, reals in between).

Returns
-------
numpy.ndarray of float64, shape (N, 2)

Raises
------
ValueError
    When the map has no resolution and origin (it was not imported with its
    YAML description), or xy is not N x 2 finite numbers.
)")
        .def(
            "to_pixels",
            [](const Map& m, const py::object& xy) {
                const MapGeometry& geometry = geometryOf(m);
                return convertRows(xy, [&](QPointF p) { return toPixels(geometry, p); });
            },
            py::arg("xy_m"), R"(Metres to map pixels: the inverse of to_metres, not rounded.

Truncate the result to get the pixel a position lies in, as the program does.
)")
        .def(
            "heading_to_yaw",
            [](const Map&, const py::object& h) { return py::module_::import("numpy").attr("negative")(h); },
            py::arg("heading"),
            R"(The program's heading (radians, clockwise on screen, y down) as a yaw in metres' axes (counter-clockwise, y up): its negative.)")
        .def(
            "yaw_to_heading",
            [](const Map&, const py::object& yaw) { return py::module_::import("numpy").attr("negative")(yaw); },
            py::arg("yaw"),
            R"(A yaw (counter-clockwise, y up) as the program's heading (clockwise on screen): its negative.)");

    module.def("collides", &collides, py::arg("map"), py::arg("xy"), py::arg("radius") = kCartRadius,
        R"(Whether the cart at each point covers a wall, by the run's collision rule.

The cart is the disc the window draws around its guide point (x and y truncated
to the pixel): the ellipse of the box from point - radius to point + radius,
right and bottom edges excluded, with a dotted pen 2 pixels wide. It collides
where a pixel of that drawing lies on a pure red pixel of the map. At the
default radius, 8, this is run's collision column at the guide points.

Parameters
----------
map : Map
xy : array_like, shape (N, 2)
    Points in map pixels.
radius : int, optional
    The disc's radius in pixels, 0 to 1000.

Returns
-------
numpy.ndarray of bool, shape (N,)

Raises
------
ValueError
    When xy is not N x 2 finite pixel positions, or radius is not a whole number
    0 to 1000.
)");
}
