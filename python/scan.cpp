#include "scan.h"

#include "args.h"
#include "map.h"
#include "sensor.h"

#include "sim/raycast.h"
#include "sim/scanner.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

// What sweep returns: a named tuple, unpacked as five arrays.
py::object sweepResult(py::tuple fields)
{
    static const py::object type = py::module_::import("collections")
                                       .attr("namedtuple")("Sweep", py::make_tuple("angle", "hit", "x", "y", "distance"));
    return type(*fields);
}

py::object sweepFrom(const Map& map, const py::object& xArgument, const py::object& yArgument,
                     const py::object& headingArgument, const py::object& rangeArgument,
                     const py::object& divisorArgument)
{
    const int x = int(wholeNumber(xArgument, "x"));
    const int y = int(wholeNumber(yArgument, "y"));
    const double heading = finiteReal(headingArgument, "heading");
    const int range = int(wholeNumber(rangeArgument, "range", 0));
    const float divisor = divisorOf(divisorArgument);
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
    return sweepResult(py::make_tuple(angle, hit, hitX, hitY, distance));
}

py::object cast(const Map& map, const py::object& posesArray, const py::object& anglesArray,
                const py::object& rangeArgument, const py::object& threadsArgument, bool returnHit,
                const py::object& noiseArgument, const py::object& seedArgument, const py::object& stepArgument)
{
    const RangeNoise* noise = rangeNoiseOf(noiseArgument);
    const NoiseSource source{seedOf(seedArgument), std::uint32_t(wholeNumber(stepArgument, "step", 0, UINT32_MAX))};
    const auto poses = realRows(posesArray, "poses", 3, 2, "poses are an N x 3 array of x, y, heading");
    const auto angles = realRows(anglesArray, "angles", 0, 0, "angles are a 1-dimensional array");
    const int range = int(wholeNumber(rangeArgument, "range", 0));
    const int threads = int(wholeNumber(threadsArgument, "threads", 0));
    const auto count = std::size_t(poses.shape(0));
    const std::vector<double> relative(angles.data(), angles.data() + angles.shape(0));
    // Each ray's angle is a heading and a relative angle: both finite is not enough for the sum.
    double largest = 0.0;
    for (std::size_t p = 0; p < count; ++p) {
        largest = std::max(largest, std::fabs(poses.data()[3 * p + 2]));
    }
    const double widest = relative.empty() ? 0.0 : std::fabs(*std::max_element(relative.begin(), relative.end(),
        [](double a, double b) { return std::fabs(a) < std::fabs(b); }));
    if (!std::isfinite(largest + widest)) {
        throw py::value_error("a heading plus an angle is beyond the finite numbers");
    }
    py::array_t<float> distances({poses.shape(0), angles.shape(0)});
    py::array_t<bool> hit = returnHit ? py::array_t<bool>({poses.shape(0), angles.shape(0)}) : py::array_t<bool>();
    float* out = distances.mutable_data();
    bool* hitOut = returnHit ? hit.mutable_data() : nullptr;
    const double* posesData = poses.data();
    {
        py::gil_scoped_release released;
        const int workers = threads > 0 ? threads : threadsWorthFor(count * relative.size());
        castRays(map.walls(), posesData, count, relative, range, workers, out, hitOut, noise, source);
    }
    if (returnHit) {
        return py::make_tuple(distances, hit);
    }
    return distances;
}

} // namespace

void bindScan(py::module_& module)
{
    module.def("sweep", &sweepFrom, py::arg("map"), py::arg("x"), py::arg("y"), py::arg("heading"),
        py::arg("range") = 150, py::arg("divisor") = 10.0,
        R"(One sweep of the scanner from a pose, exactly as the program casts it.

The rays go from heading - pi/2 towards heading + pi/2 in steps of pi / divisor,
the angle accumulated ray by ray; each reads the map's pixels at samples
1 .. range - 1 and stops at the first pure red one. Nothing is drawn.

The number of rays depends on the heading: the step is a 32-bit real added up in
double precision, and the sweep ends once the sum passes heading + pi/2, so the
last ray falls just inside or just outside that bound (10 or 11 rays at divisor
10). Cast a fixed set of angles with ``cast`` to stack the scans of many poses.

Parameters
----------
map : Map
x, y : int
    The cart's pixel; any whole number (a real without a fraction is taken too).
heading : float
    Radians, clockwise on screen (0 looks right, along +x).
range : int, optional
    How far each ray reaches, in pixels; 0 casts rays that meet nothing.
divisor : float, optional
    The scanner step divisor (a 32-bit real, as the program keeps it).

Returns
-------
Sweep
    A named tuple of five arrays, which unpacks as ``angle, hit, x, y, distance``:
angle : numpy.ndarray of float64
    Each ray's angle, in the order cast.
hit : numpy.ndarray of bool
    Whether the ray met a wall.
x, y : numpy.ndarray of int32
    The wall pixel it met; -1 where it met none.
distance : numpy.ndarray of float32
    The distance to that pixel as the obstacle log stores it; range where it met none.

Raises
------
ValueError
    When x, y or range is not a whole number (range below 0), or heading or
    divisor is not finite.
)");
    module.def("cast", &cast, py::arg("map"), py::arg("poses"), py::arg("angles"), py::arg("range"),
        py::arg("threads") = 0, py::arg("return_hit") = false, py::arg("noise") = py::none(), py::arg("seed") = 0,
        py::arg("step") = 0, R"(Many rays at once, by the scanner's rule.

The distances are exactly those of sweep's rays. The first call on a map measures how
far each of its pixels lies from a wall (a fraction of a second for millions of
pixels) and keeps that with the map; the rays then step over samples that cannot be
walls.

Parameters
----------
map : Map
poses : array_like, shape (N, 3)
    x, y, heading of each pose; x and y are truncated to the pixel as the program does.
    A pose off the map casts from there: its rays meet the walls they reach.
angles : array_like, shape (M,)
    Ray angles relative to the heading, in radians.
range : int
    How far each ray reaches, in pixels; 0 casts rays that meet nothing.
threads : int, optional
    At most this many threads share the poses (the program keeps one less than the
    cores waiting, so a call starts none). 0, the default, takes as many as the work
    is worth: one below some eight thousand rays, up to every core. The results do
    not depend on it.
return_hit : bool, optional
    Also return whether each ray met a wall.
noise : RangeNoise, optional
    The readings of a real range finder instead of the exact ones (the hit flag
    stays the exact ray's).
seed, step : int, optional
    What the noise is drawn from, with each pose's and ray's index: the same seed
    and step give the same readings on any number of threads.

Returns
-------
distances : numpy.ndarray of float32, shape (N, M)
    The distance of each ray's wall pixel as the scanner stores it, or range where
    the ray met none. A hit's distance runs from the pose's pixel to the wall
    pixel, so it can be a little more than range (70.2 at range 70): tell a miss
    by the hit flag, not by the distance.
hit : numpy.ndarray of bool, shape (N, M)
    With return_hit only: whether the ray met a wall.

Raises
------
ValueError
    When poses or angles have another shape, hold a number that is not finite or
    a position beyond the pixel coordinates (the message names the first such
    row), or range or threads is not a whole number of 0 or more.
)");
}
