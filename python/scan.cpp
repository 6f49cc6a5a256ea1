#include "scan.h"

#include "map.h"

#include "sim/raycast.h"
#include "sim/scanner.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

namespace py = pybind11;

namespace {

py::tuple sweepFrom(const Map& map, int x, int y, double heading, int range, float divisor)
{
    std::vector<SweepRay> swept;
    {
        py::gil_scoped_release released;
        swept = sweepPixels(scanPixels(map.pixels), x, y, heading, range, divisor);
    }
    const auto rays = py::ssize_t(swept.size());
    py::array_t<double> angle(rays);
    py::array_t<bool> hit(rays);
    py::array_t<int> hitX(rays);
    py::array_t<int> hitY(rays);
    py::array_t<float> distance(rays);
    double* angles = angle.mutable_data();
    bool* hits = hit.mutable_data();
    int* xs = hitX.mutable_data();
    int* ys = hitY.mutable_data();
    float* distances = distance.mutable_data();
    for (std::size_t i = 0; i < swept.size(); ++i) {
        const std::optional<ScanHit>& ray = swept[i].hit;
        angles[i] = swept[i].angle;
        hits[i] = ray.has_value();
        xs[i] = ray ? ray->x : -1;
        ys[i] = ray ? ray->y : -1;
        distances[i] = ray ? ray->distance : float(range);
    }
    return py::make_tuple(angle, hit, hitX, hitY, distance);
}

py::array_t<float> cast(
    const Map& map, const py::object& posesArray, const py::object& anglesArray, int range, int threads)
{
    const auto poses = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(posesArray);
    const auto angles = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(anglesArray);
    if (!poses || poses.ndim() != 2 || poses.shape(1) != 3) {
        throw py::value_error("poses are an N x 3 array of x, y, heading");
    }
    if (!angles || angles.ndim() != 1) {
        throw py::value_error("angles are a 1-dimensional array");
    }
    if (threads < 0) {
        throw py::value_error("threads is 0 (every core) or more");
    }
    const std::vector<double> relative(angles.data(), angles.data() + angles.shape(0));
    py::array_t<float> distances({poses.shape(0), angles.shape(0)});
    float* out = distances.mutable_data();
    const double* posesData = poses.data();
    const auto count = std::size_t(poses.shape(0));
    {
        py::gil_scoped_release released;
        const int workers = threads > 0 ? threads : int(std::max(1u, std::thread::hardware_concurrency()));
        castRays(map.walls(), posesData, count, relative, range, workers, out);
    }
    return distances;
}

} // namespace

void bindScan(py::module_& module)
{
    module.def("sweep", &sweepFrom, py::arg("map"), py::arg("x"), py::arg("y"), py::arg("heading"),
        py::arg("range") = 150, py::arg("divisor") = 10.0f,
        R"(One sweep of the scanner from a pose, exactly as the program casts it.

The rays go from heading - pi/2 towards heading + pi/2 in steps of pi / divisor,
the angle accumulated ray by ray; each reads the map's pixels at samples
1 .. range - 1 and stops at the first pure red one. Nothing is drawn.

Parameters
----------
map : Map
x, y : int
    The cart's pixel.
heading : float
    Radians, clockwise on screen (0 looks right, along +x).
range : int, optional
    How far each ray reaches, in pixels.
divisor : float, optional
    The scanner step divisor (a 32-bit real, as the program keeps it).

Returns
-------
angle : numpy.ndarray of float64
    Each ray's angle, in the order cast.
hit : numpy.ndarray of bool
    Whether the ray met a wall.
x, y : numpy.ndarray of int32
    The wall pixel it met; -1 where it met none.
distance : numpy.ndarray of float32
    The distance to that pixel as the obstacle log stores it; range where it met none.
)");
    module.def("cast", &cast, py::arg("map"), py::arg("poses"), py::arg("angles"), py::arg("range"),
        py::arg("threads") = 0, R"(Many rays at once, by the scanner's rule.

The distances are exactly those of sweep's rays. The first call on a map measures how
far each of its pixels lies from a wall (a fraction of a second for millions of
pixels) and keeps that with the map; the rays then step over samples that cannot be
walls.

Parameters
----------
map : Map
poses : array_like, shape (N, 3)
    x, y, heading of each pose; x and y are truncated to the pixel as the program does.
angles : array_like, shape (M,)
    Ray angles relative to the heading, in radians.
range : int
    How far each ray reaches, in pixels.
threads : int, optional
    Threads to share the poses among; 0 uses every core. Results do not depend on it.

Returns
-------
numpy.ndarray of float32, shape (N, M)
    The distance of each ray's wall pixel as the scanner stores it, or range where the ray met none.

Raises
------
ValueError
    When poses or angles have another shape, or threads is negative.
)");
}
