#include "sensor.h"

#include "args.h"
#include "map.h"

#include "sim/raycast.h"
#include "sim/sensormodel.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <string>
#include <vector>

namespace py = pybind11;

const RangeNoise* rangeNoiseOf(const py::object& noise)
{
    if (noise.is_none()) {
        return nullptr;
    }
    if (!py::isinstance<RangeNoise>(noise)) {
        throw py::value_error("noise is a tav1.RangeNoise or None, not " + py::repr(noise).cast<std::string>());
    }
    return noise.cast<const RangeNoise*>();
}

std::uint64_t seedOf(const py::object& seed)
{
    if (!PyIndex_Check(seed.ptr())) {
        throw py::value_error("seed is a whole number 0 or more, not " + py::repr(seed).cast<std::string>());
    }
    const unsigned long long value
        = PyLong_AsUnsignedLongLong(py::reinterpret_steal<py::object>(PyNumber_Index(seed.ptr())).ptr());
    if (PyErr_Occurred() != nullptr) {
        PyErr_Clear();
        throw py::value_error("seed is 0 to 2**64 - 1, not " + py::repr(seed).cast<std::string>());
    }
    return value;
}

namespace {

double nonNegative(const py::object& value, const char* name)
{
    const double number = finiteReal(value, name);
    if (number < 0.0) {
        throw py::value_error(std::string(name) + " is 0 or more, not " + py::repr(value).cast<std::string>());
    }
    return number;
}

RangeNoise makeNoise(const py::object& sigma, const py::object& proportional, const py::object& angular,
    const py::object& pShort, const py::object& lambdaShort, const py::object& pMax, const py::object& pRand)
{
    RangeNoise noise { nonNegative(sigma, "sigma"), nonNegative(proportional, "proportional"),
        nonNegative(angular, "angular"), nonNegative(pShort, "p_short"), nonNegative(lambdaShort, "lambda_short"),
        nonNegative(pMax, "p_max"), nonNegative(pRand, "p_rand") };
    if (noise.pShort + noise.pMax + noise.pRand > 1.0) {
        throw py::value_error("p_short + p_max + p_rand is at most 1");
    }
    if (noise.pShort > 0.0 && noise.lambdaShort == 0.0) {
        throw py::value_error("lambda_short is more than 0 where p_short is");
    }
    return noise;
}

// Particles, readings and distances in pixels, from metres where asked.
struct Scan {
    py::array_t<double> particles;
    std::vector<double> angles;
    std::vector<double> observed;
    int range = 0;
    double scale = 1.0; // pixels a metre (1 for pixels)
};

Scan scanOf(const Map& map, const py::object& particles, const py::object& angles, const py::object& observed,
    const py::object& range, bool metres)
{
    Scan scan;
    const auto rays = realRows(angles, "angles", 0, 0, "angles are a 1-dimensional array");
    scan.angles.assign(rays.data(), rays.data() + rays.size());
    const auto readings = realRows(observed, "observed", 0, 0, "observed is a 1-dimensional array of readings");
    if (readings.size() != rays.size()) {
        throw py::value_error("observed has " + std::to_string(readings.size()) + " readings for "
            + std::to_string(rays.size()) + " angles");
    }
    if (!metres) {
        scan.particles = realRows(particles, "particles", 3, 2, "particles are an N x 3 array of x, y, heading");
        scan.range = int(wholeNumber(range, "range", 0));
        scan.observed.assign(readings.data(), readings.data() + readings.size());
        return scan;
    }
    if (!map.geometry) {
        throw py::value_error("metres=True needs a map with a resolution and origin (tav1.import_occupancy of a YAML)");
    }
    const MapGeometry& geometry = *map.geometry;
    scan.scale = 1.0 / geometry.resolution;
    const auto given = realRows(particles, "particles", 3, 0, "particles are an N x 3 array of x, y, yaw in metres");
    scan.particles = py::array_t<double>({ given.shape(0), py::ssize_t(3) });
    const auto in = given.unchecked<2>();
    auto out = scan.particles.mutable_unchecked<2>();
    for (py::ssize_t i = 0; i < given.shape(0); ++i) {
        const QPointF pixel = toPixels(geometry, QPointF(in(i, 0), in(i, 1)));
        out(i, 0) = pixel.x();
        out(i, 1) = pixel.y();
        out(i, 2) = -in(i, 2);
    }
    scan.range = int(std::lround(finiteReal(range, "range") * scan.scale));
    for (py::ssize_t i = 0; i < readings.size(); ++i) {
        scan.observed.push_back(readings.data()[i] * scan.scale);
    }
    // In metres, angles are counter-clockwise with y up.
    for (double& angle : scan.angles) {
        angle = -angle;
    }
    return scan;
}

int workersFor(const py::object& threads, std::size_t rays)
{
    const int given = int(wholeNumber(threads, "threads", 0));
    return given > 0 ? given : threadsWorthFor(rays);
}

py::array_t<double> beam(const Map& map, const py::object& particles, const py::object& angles,
    const py::object& observed, const py::object& range, const py::object& zHit, const py::object& zShort,
    const py::object& zMax, const py::object& zRand, const py::object& sigmaHit, const py::object& lambdaShort,
    const std::string& combine, const py::object& threads, bool metres)
{
    if (combine != "product" && combine != "amcl") {
        throw py::value_error("combine is \"product\" or \"amcl\", not \"" + combine + "\"");
    }
    const Scan scan = scanOf(map, particles, angles, observed, range, metres);
    BeamModel model { nonNegative(zHit, "z_hit"), nonNegative(zShort, "z_short"), nonNegative(zMax, "z_max"),
        nonNegative(zRand, "z_rand"), nonNegative(sigmaHit, "sigma_hit") * scan.scale,
        nonNegative(lambdaShort, "lambda_short") / scan.scale, combine == "amcl" };
    if (model.sigmaHit == 0.0 || scan.range == 0) {
        throw py::value_error("sigma_hit and range are more than 0");
    }
    const auto count = std::size_t(scan.particles.shape(0));
    py::array_t<double> weights(py::ssize_t(count), nullptr);
    const int workers = workersFor(threads, count * scan.angles.size());
    {
        py::gil_scoped_release released;
        beamWeights(map.walls(), scan.particles.data(), count, scan.angles, scan.observed.data(), scan.range, model,
            workers, weights.mutable_data());
    }
    return weights;
}

py::array_t<double> field(const Map& map, const py::object& particles, const py::object& angles,
    const py::object& observed, const py::object& range, const py::object& sigmaHit, const py::object& zHit,
    const py::object& zRand, const py::object& maxDistance, const py::object& threads, bool metres)
{
    const Scan scan = scanOf(map, particles, angles, observed, range, metres);
    LikelihoodField model { nonNegative(zHit, "z_hit"), nonNegative(zRand, "z_rand"),
        nonNegative(sigmaHit, "sigma_hit") * scan.scale, nonNegative(maxDistance, "max_distance") * scan.scale };
    if (model.sigmaHit == 0.0 || scan.range == 0) {
        throw py::value_error("sigma_hit and range are more than 0");
    }
    const auto count = std::size_t(scan.particles.shape(0));
    py::array_t<double> weights(py::ssize_t(count), nullptr);
    const int workers = workersFor(threads, count * scan.angles.size() / 8);
    {
        py::gil_scoped_release released;
        likelihoodWeights(map.distances(), scan.particles.data(), count, scan.angles, scan.observed.data(), scan.range,
            model, workers, weights.mutable_data());
    }
    return weights;
}

} // namespace

void bindSensor(py::module_& module)
{
    py::class_<RangeNoise>(module, "RangeNoise", R"(A real range finder's errors, for cast and Fleet.

Every random number is drawn from a counter-based generator (Philox) keyed by the
seed, the pose or cart, the ray and the step, so the same seed gives the same scan
whatever the threads; all zero is the exact cast, bit for bit.

A ray's angle is first turned by Gaussian noise of deviation ``angular``. Its
reading, for an exact distance d (the range where it meets nothing), is with
probability p_short a short reading (exponential of rate lambda_short, cut at d),
with p_max the range, with p_rand uniform over 0 .. range, and otherwise d plus
Gaussian noise of deviation sigma + proportional * d; always within 0 .. range.

Parameters
----------
sigma : float, optional
    Pixels.
proportional : float, optional
    Of the distance.
angular : float, optional
    Radians.
p_short, p_max, p_rand : float, optional
    Probabilities, together at most 1.
lambda_short : float, optional
    Per pixel.
)")
        .def(py::init(&makeNoise), py::arg("sigma") = 0.0, py::arg("proportional") = 0.0, py::arg("angular") = 0.0,
            py::arg("p_short") = 0.0, py::arg("lambda_short") = 0.1, py::arg("p_max") = 0.0, py::arg("p_rand") = 0.0)
        .def_readonly("sigma", &RangeNoise::sigma)
        .def_readonly("proportional", &RangeNoise::proportional)
        .def_readonly("angular", &RangeNoise::angular)
        .def_readonly("p_short", &RangeNoise::pShort)
        .def_readonly("lambda_short", &RangeNoise::lambdaShort)
        .def_readonly("p_max", &RangeNoise::pMax)
        .def_readonly("p_rand", &RangeNoise::pRand)
        .def(py::pickle(
            [](const RangeNoise& n) {
                return py::make_tuple(n.sigma, n.proportional, n.angular, n.pShort, n.lambdaShort, n.pMax, n.pRand);
            },
            [](const py::tuple& t) {
                return RangeNoise { t[0].cast<double>(), t[1].cast<double>(), t[2].cast<double>(), t[3].cast<double>(),
                    t[4].cast<double>(), t[5].cast<double>(), t[6].cast<double>() };
            }))
        .def("__repr__", [](const RangeNoise& n) {
            return "RangeNoise(sigma=" + std::to_string(n.sigma) + ", proportional=" + std::to_string(n.proportional)
                + ", angular=" + std::to_string(n.angular) + ", p_short=" + std::to_string(n.pShort)
                + ", lambda_short=" + std::to_string(n.lambdaShort) + ", p_max=" + std::to_string(n.pMax)
                + ", p_rand=" + std::to_string(n.pRand) + ")";
        });

    module.def("beam_weights", &beam, py::arg("map"), py::arg("particles"), py::arg("angles"), py::arg("observed"),
        py::arg("range"), py::arg("z_hit") = 0.95, py::arg("z_short") = 0.1, py::arg("z_max") = 0.05,
        py::arg("z_rand") = 0.05, py::arg("sigma_hit") = 4.0, py::arg("lambda_short") = 0.1,
        py::arg("combine") = "product", py::arg("threads") = 0, py::arg("metres") = false,
        R"(The beam model's weight of each particle given one observed scan: cast and weigh in one pass.

For each particle the exact rays are cast (z*, the range where a ray meets no
wall) and each reading z weighed (Probabilistic Robotics 6.3; AMCL's names):
p_hit = eta N(z; z*, sigma_hit^2) on 0..range, p_short = eta lambda_short
exp(-lambda_short z) on 0..z*, p_max = 1 at the range, p_rand = 1/range below it,
p = z_hit p_hit + z_short p_short + z_max p_max + z_rand p_rand. No N x R array
is made.

Parameters
----------
map : Map
particles : array_like, shape (N, 3)
    x, y, heading in pixels and radians (clockwise on screen).
angles : array_like, shape (R,)
    The beams' angles relative to the heading.
observed : array_like, shape (R,)
    The readings, pixels; the range for no return.
range : int
    The rays' reach, pixels.
z_hit, z_short, z_max, z_rand, sigma_hit, lambda_short : float, optional
    The model's mixture weights, the hit's deviation (pixels) and the short
    readings' rate (per pixel).
combine : {"product", "amcl"}, optional
    "product": the log-likelihood, sum(log p). "amcl": 1 + sum(p**3), as AMCL
    combines beams.
threads : int, optional
    As for cast.
metres : bool, optional
    Particles (x, y, yaw counter-clockwise), observed, range, sigma_hit and
    lambda_short in metres, for an occupancy map imported with its YAML; the
    weights are those of the same scan in pixels.

Returns
-------
numpy.ndarray of float64, shape (N,)
)");
    module.def("likelihood_field", &field, py::arg("map"), py::arg("particles"), py::arg("angles"), py::arg("observed"),
        py::arg("range"), py::arg("sigma_hit") = 4.0, py::arg("z_hit") = 0.95, py::arg("z_rand") = 0.05,
        py::arg("max_distance") = 40.0, py::arg("threads") = 0, py::arg("metres") = false,
        R"(The likelihood-field model's log-likelihood of each particle given one observed scan.

Each reading z below the range ends at the particle's position plus z along its
beam; d is the exact Euclidean distance from that pixel to the nearest wall
pixel (made once a map and kept), capped at max_distance (and max_distance off
the map); q = z_hit exp(-d^2 / (2 sigma_hit^2)) / (sigma_hit sqrt(2 pi)) +
z_rand / range, and the weight is sum(log q). A reading at the range is skipped,
as AMCL does (Probabilistic Robotics 6.4).

Parameters
----------
map : Map
particles : array_like, shape (N, 3)
angles, observed : array_like, shape (R,)
range : int
sigma_hit, z_hit, z_rand, max_distance : float, optional
    Pixels for sigma_hit and max_distance.
threads : int, optional
metres : bool, optional
    As for beam_weights.

Returns
-------
numpy.ndarray of float64, shape (N,)
)");
}
