#include "trajectory.h"

#include "args.h"

#include "sim/trajectory.h"

#include <pybind11/numpy.h>

#include <string>
#include <vector>

namespace py = pybind11;

namespace {

// A point of two whole pixel coordinates.
std::pair<int, int> pointOf(const py::object& value, const char* name)
{
    const py::sequence pair = py::isinstance<py::sequence>(value) && !py::isinstance<py::str>(value)
                                  ? py::reinterpret_borrow<py::sequence>(value)
                                  : py::sequence();
    if (!pair || pair.size() != 2) {
        throw py::value_error(std::string(name) + " is a pair x, y of whole numbers, not "
                              + py::repr(value).cast<std::string>());
    }
    const std::string prefix(name);
    return {int(wholeNumber(pair[0], (prefix + "[0]").c_str())), int(wholeNumber(pair[1], (prefix + "[1]").c_str()))};
}

py::array_t<double> trajectory(
    const std::string& kind, const py::object& startArgument, const py::object& endArgument,
    const py::object& amplitudeArgument)
{
    if (kind != "sin2pi" && kind != "sinpi" && kind != "line") {
        throw py::value_error("kind is \"sin2pi\", \"sinpi\" or \"line\", not \"" + kind + "\"");
    }
    const std::pair<int, int> start = pointOf(startArgument, "start");
    const std::pair<int, int> end = pointOf(endArgument, "end");
    const int amplitude = int(wholeNumber(amplitudeArgument, "amplitude"));
    std::vector<TrajectoryPoint> records(kTrajectoryCapacity);
    TrajectoryResult result;
    {
        py::gil_scoped_release released;
        // The generators plot their samples too; a one-pixel canvas takes the drawing.
        QImage canvas(1, 1, QImage::Format_RGB32);
        Surface dc(canvas);
        const ChordPoints chord{start.first, start.second, end.first, end.second};
        if (kind == "sin2pi") {
            result = generateSin2Pi(dc, records.data(), chord, amplitude);
        } else if (kind == "sinpi") {
            result = generateSinPi(dc, records.data(), chord, amplitude);
        } else {
            result = generateLine(dc, records.data(), chord);
        }
    }
    py::array_t<double> points({py::ssize_t(result.count), py::ssize_t(2)});
    auto out = points.mutable_unchecked<2>();
    for (int i = 0; i < result.count; ++i) {
        out(i, 0) = records[size_t(i)].x;
        out(i, 1) = records[size_t(i)].y;
    }
    return points;
}

} // namespace

void bindTrajectory(py::module_& module)
{
    module.def("trajectory", &trajectory, py::arg("kind"), py::arg("start"), py::arg("end"), py::arg("amplitude") = 40,
        R"(The reference path the program's generator stores, bit for bit.

Parameters
----------
kind : {"sin2pi", "sinpi", "line"}
    A full sine period (Sin <0;2PI>), one arch (Sin <0;PI>) or the chord (LINE).
start, end : (int, int)
    The start and end points, in map pixels.
amplitude : int, optional
    The sines' amplitude in pixels; the line has none.

Returns
-------
numpy.ndarray of float64, shape (N, 2)
    The records x, y, one a pixel of chord; empty when start and end are one point.

Raises
------
ValueError
    When kind is none of the three.
)");
}
