#include "run.h"

#include "args.h"
#include "map.h"

#include "sim/maprun.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

} // namespace

std::vector<TrajectoryPoint> recordsOf(const py::object& pathArray)
{
    const auto path = realRows(pathArray, "path", 2, 2, "a path is an N x 2 array of x, y");
    std::vector<TrajectoryPoint> records(std::size_t(path.shape(0)));
    const auto points = path.unchecked<2>();
    for (py::ssize_t i = 0; i < path.shape(0); ++i) {
        records[std::size_t(i)] = {points(i, 0), points(i, 1), 0.0};
    }
    return records;
}

namespace {

// One column of a table: a NumPy array of `rows` values made by `value(row)`.
template<typename T, typename Value>
py::array_t<T> column(std::size_t rows, Value value)
{
    py::array_t<T> values{py::ssize_t(rows)};
    T* out = values.mutable_data();
    for (std::size_t i = 0; i < rows; ++i) {
        out[i] = value(i);
    }
    return values;
}

} // namespace

py::dict runColumns(const Map& map, const RunRecord& result)
{
    const std::vector<StepRecord>& steps = result.steps;
    const std::vector<ScanHit>& hits = result.hits;
    const auto closer = [](const ScanHit& a, const ScanHit& b) { return a.distance < b.distance; };
    const auto extreme = [&](std::size_t i, bool nearest) {
        const std::span<const ScanHit> of = stepHits(result, i);
        if (of.empty()) {
            return std::numeric_limits<float>::quiet_NaN();
        }
        const auto found = nearest ? std::min_element(of.begin(), of.end(), closer)
                                   : std::max_element(of.begin(), of.end(), closer);
        return found->distance;
    };
    const std::size_t n = steps.size();
    py::dict table;
    table["step"] = column<int>(n, [&](std::size_t i) { return steps[i].step; });
    table["cart_x"] = column<int>(n, [&](std::size_t i) { return steps[i].cartX; });
    table["cart_y"] = column<int>(n, [&](std::size_t i) { return steps[i].cartY; });
    table["heading_rad"] = column<double>(n, [&](std::size_t i) { return steps[i].heading; });
    table["guide_x"] = column<int>(n, [&](std::size_t i) { return steps[i].guideX; });
    table["guide_y"] = column<int>(n, [&](std::size_t i) { return steps[i].guideY; });
    table["steering_rad"] = column<float>(n, [&](std::size_t i) { return steps[i].steering; });
    table["rays"] = column<int>(n, [&](std::size_t i) { return steps[i].rays; });
    table["hits"] = column<int>(n, [&](std::size_t i) { return int(stepHits(result, i).size()); });
    table["nearest_hit_px"] = column<float>(n, [&](std::size_t i) { return extreme(i, true); });
    table["farthest_hit_px"] = column<float>(n, [&](std::size_t i) { return extreme(i, false); });
    if (map.geometry) {
        const auto metres = [&](std::size_t i) {
            return toMetres(*map.geometry, QPointF(steps[i].cartX, steps[i].cartY));
        };
        table["cart_x_m"] = column<double>(n, [&](std::size_t i) { return metres(i).x(); });
        table["cart_y_m"] = column<double>(n, [&](std::size_t i) { return metres(i).y(); });
    }
    table["collision"] = column<bool>(n, [&](std::size_t i) { return steps[i].collision; });
    // Each hit's step: the step whose hits it lies among.
    std::vector<int> hitStep(hits.size());
    for (std::size_t i = 0; i < n; ++i) {
        std::fill_n(hitStep.begin() + steps[i].firstHit, stepHits(result, i).size(), steps[i].step);
    }
    table["hit_step"] = column<int>(hits.size(), [&](std::size_t h) { return hitStep[h]; });
    table["ray_angle_rad"] = column<double>(hits.size(), [&](std::size_t h) { return hits[h].angle; });
    table["hit_x"] = column<int>(hits.size(), [&](std::size_t h) { return hits[h].x; });
    table["hit_y"] = column<int>(hits.size(), [&](std::size_t h) { return hits[h].y; });
    table["distance_px"] = column<float>(hits.size(), [&](std::size_t h) { return hits[h].distance; });
    return table;
}

namespace {

py::dict run(const Map& map, const py::object& pathArray, const py::object& rangeArgument,
            const py::object& divisorArgument)
{
    const std::vector<TrajectoryPoint> records = recordsOf(pathArray);
    const int range = int(wholeNumber(rangeArgument, "range", 0));
    const float divisor = divisorOf(divisorArgument);
    RunRecord result;
    {
        py::gil_scoped_release released;
        result = runOnMap(map.pixels, records.data(), int(std::min<std::size_t>(records.size(), INT32_MAX)), range,
                          divisor);
    }
    return runColumns(map, result);
}

} // namespace

void bindRun(py::module_& module)
{
    module.def("run", &run, py::arg("map"), py::arg("path"), py::arg("range") = 150, py::arg("divisor") = 10.0,
        R"(A run of the cart along a path by the animation's rules, without a window.

Each step moves the cart ten records along the path, from the guide point to the
step's end (both truncated to pixels), turns it along the move and sweeps the
scanner from there, as "Animuj" does; the run makes as many steps as the window
makes for a loaded path of as many records. A step collides when the cart, the
disc of radius 8 drawn around the guide point, covers a wall pixel.

Only the map's own pixels are read. In the window the rays read the canvas, where
the drawn path (the full sine is drawn in the wall colour), the cart and its green
track lie over the map; there a run near a wall can hit other pixels.

Parameters
----------
map : Map
path : array_like, shape (N, 2)
    The records x, y in map pixels, as tav1.trajectory returns them or a path file holds them.
range : int, optional
    How far each ray reaches, in pixels.
divisor : float, optional
    The scanner step divisor (a 32-bit real, as the program keeps it).

Returns
-------
dict of numpy.ndarray
    One entry a step for the columns of File > Export run: step, cart_x, cart_y,
    heading_rad, guide_x, guide_y, steering_rad, rays, hits, nearest_hit_px and
    farthest_hit_px (NaN for a step without hits), cart_x_m and cart_y_m for a map
    with an origin, and collision. One entry a hit for the hits file: hit_step,
    ray_angle_rad, hit_x, hit_y and distance_px.

Raises
------
ValueError
    When the path is not an N x 2 array of finite numbers within the pixel
    coordinates (the message names the first bad row), range is not a whole
    number of 0 or more, or divisor is not finite.
)");
}
