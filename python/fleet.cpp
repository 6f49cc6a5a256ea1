#include "fleet.h"

#include "args.h"
#include "map.h"
#include "run.h"
#include "sensor.h"

#include "sim/fleet.h"
#include "sim/pathfollow.h"
#include "sim/raycast.h"

#include <pybind11/numpy.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

// N carts on one map, stepped by sim/fleet.h.
class Fleet {
public:
    Fleet(const Map& map, const py::object& poses, const std::string& drive, const py::object& wheelbase,
        const py::object& track, const py::object& angles, const py::object& range, const std::string& collision,
        const py::object& threads, const py::object& maxSpeed, const py::object& maxTurnRate,
        const py::object& maxAcceleration, const py::object& maxSteering, const py::object& noise,
        const py::object& odometry, const py::object& seed)
        : m_map(map)
    {
        if (const RangeNoise* given = rangeNoiseOf(noise)) {
            m_noise.range = *given;
        }
        const auto alphas = realRows(odometry, "odometry", 0, 0, "odometry is the four alphas of the motion model");
        if (alphas.size() != 4 || std::any_of(alphas.data(), alphas.data() + 4, [](double a) { return a < 0.0; })) {
            throw py::value_error("odometry is four alphas of 0 or more");
        }
        std::copy(alphas.data(), alphas.data() + 4, m_noise.odometry.alpha);
        m_noise.seed = seedOf(seed);
        if (drive != "car" && drive != "diff") {
            throw py::value_error("drive is \"car\" or \"diff\", not \"" + drive + "\"");
        }
        if (collision != "stop" && collision != "pass") {
            throw py::value_error("collision is \"stop\" or \"pass\", not \"" + collision + "\"");
        }
        m_drive.kind = drive == "car" ? DriveKind::Car : DriveKind::Diff;
        m_drive.wheelbase = finiteReal(wheelbase, "wheelbase");
        m_drive.track = finiteReal(track, "track");
        m_drive.limits = { bound(maxSpeed, "max_speed"), bound(maxTurnRate, "max_turn_rate"),
            bound(maxAcceleration, "max_acceleration"), bound(maxSteering, "max_steering") };
        if (const std::string fault = driveFault(m_drive); !fault.empty()) {
            throw py::value_error(fault);
        }
        m_mode = collision == "stop" ? CollisionMode::Stop : CollisionMode::Pass;
        const auto rays = realRows(angles, "angles", 0, 0, "angles are a 1-dimensional array");
        m_angles.assign(rays.data(), rays.data() + rays.size());
        m_range = int(wholeNumber(range, "range", 0));
        m_threads = int(wholeNumber(threads, "threads", 0));
        reset(poses);
    }

    // Everything a fleet is, for pickling: restored elsewhere it steps on as this one would.
    py::tuple state() const
    {
        const auto limit
            = [](double value) { return std::isinf(value) ? py::object(py::none()) : py::object(py::float_(value)); };
        py::array_t<double> carts({ py::ssize_t(m_carts.size()), py::ssize_t(7) });
        auto out = carts.mutable_unchecked<2>();
        for (std::size_t i = 0; i < m_carts.size(); ++i) {
            const FleetCart& cart = m_carts[i];
            const double row[] = { cart.pose.x, cart.pose.y, cart.pose.heading, cart.speed, cart.steering,
                double(cart.collided), double(cart.stalled) };
            for (py::ssize_t c = 0; c < 7; ++c) {
                out(py::ssize_t(i), c) = row[c];
            }
        }
        const DriveLimits& limits = m_drive.limits;
        return py::make_tuple(py::cast(m_map), carts, m_drive.kind == DriveKind::Car ? "car" : "diff",
            m_drive.wheelbase, m_drive.track, py::array_t<double>(py::ssize_t(m_angles.size()), m_angles.data()),
            m_range, m_mode == CollisionMode::Stop ? "stop" : "pass", m_threads, limit(limits.maxSpeed),
            limit(limits.maxTurnRate), limit(limits.maxAcceleration), limits.maxSteering, py::cast(m_noise.range),
            py::make_tuple(m_noise.odometry.alpha[0], m_noise.odometry.alpha[1], m_noise.odometry.alpha[2],
                m_noise.odometry.alpha[3]),
            m_noise.seed, m_steps);
    }

    static Fleet restored(const py::tuple& state)
    {
        if (state.size() != 17) {
            throw py::value_error("not the state of a tav1.Fleet");
        }
        const auto carts = state[1].cast<py::array_t<double, py::array::c_style | py::array::forcecast>>();
        if (carts.ndim() != 2 || carts.shape(1) != 7) {
            throw py::value_error("not the state of a tav1.Fleet");
        }
        const auto rows = carts.unchecked<2>();
        py::array_t<double> poses({ carts.shape(0), py::ssize_t(3) });
        for (py::ssize_t i = 0; i < carts.shape(0); ++i) {
            for (py::ssize_t c = 0; c < 3; ++c) {
                poses.mutable_at(i, c) = rows(i, c);
            }
        }
        Fleet fleet(state[0].cast<const Map&>(), poses, state[2].cast<std::string>(), state[3], state[4], state[5],
            state[6], state[7].cast<std::string>(), state[8], state[9], state[10], state[11], state[12], state[13],
            state[14], py::int_(0));
        fleet.m_noise.seed = state[15].cast<std::uint64_t>();
        fleet.m_steps = state[16].cast<std::uint32_t>();
        for (py::ssize_t i = 0; i < carts.shape(0); ++i) {
            FleetCart& cart = fleet.m_carts[std::size_t(i)];
            cart.speed = rows(i, 3);
            cart.steering = rows(i, 4);
            cart.collided = rows(i, 5) != 0.0;
            cart.stalled = rows(i, 6) != 0.0;
        }
        return fleet;
    }

    void reset(const py::object& posesArray)
    {
        const auto poses = realRows(posesArray, "poses", 3, 2, "poses are an N x 3 array of x, y, heading");
        const auto rows = poses.unchecked<2>();
        m_carts.assign(std::size_t(poses.shape(0)), FleetCart());
        m_steps = 0;
        for (py::ssize_t i = 0; i < poses.shape(0); ++i) {
            m_carts[std::size_t(i)].pose = { rows(i, 0), rows(i, 1), rows(i, 2) };
        }
    }

    py::array_t<double> poses() const
    {
        py::array_t<double> poses({ py::ssize_t(m_carts.size()), py::ssize_t(3) });
        auto out = poses.mutable_unchecked<2>();
        for (std::size_t i = 0; i < m_carts.size(); ++i) {
            out(py::ssize_t(i), 0) = m_carts[i].pose.x;
            out(py::ssize_t(i), 1) = m_carts[i].pose.y;
            out(py::ssize_t(i), 2) = m_carts[i].pose.heading;
        }
        return poses;
    }

    py::dict step(const py::object& commandsArray, const py::object& dtArgument, bool wheels)
    {
        const auto commands = realRows(commandsArray, "commands", 2, 0, "commands are an N x 2 array");
        if (std::size_t(commands.shape(0)) != m_carts.size()) {
            throw py::value_error("commands have " + std::to_string(commands.shape(0)) + " rows for "
                + std::to_string(m_carts.size()) + " carts");
        }
        const double dt = finiteReal(dtArgument, "dt");
        if (dt < 0.0) {
            throw py::value_error("dt is 0 or more, not " + std::to_string(dt));
        }
        std::vector<double> given(commands.data(), commands.data() + commands.size());
        if (wheels) {
            if (m_drive.kind != DriveKind::Diff) {
                throw py::value_error("wheel speeds command a diff drive only");
            }
            for (std::size_t i = 0; i < m_carts.size(); ++i) {
                diffCommand(given[2 * i], given[2 * i + 1], m_drive.track, given[2 * i], given[2 * i + 1]);
            }
        }
        py::array_t<float> ranges = rangesArray();
        {
            py::gil_scoped_release released;
            stepFleet(fleetMap(), m_drive, m_mode, m_carts, given.data(), dt, m_angles, m_range, workers(),
                ranges.mutable_data(), nullptr, &m_noise, ++m_steps);
        }
        py::array_t<bool> collided(py::ssize_t(m_carts.size()));
        py::array_t<bool> stalled(py::ssize_t(m_carts.size()));
        for (std::size_t i = 0; i < m_carts.size(); ++i) {
            collided.mutable_data()[i] = m_carts[i].collided;
            stalled.mutable_data()[i] = m_carts[i].stalled;
        }
        py::dict result;
        result["pose"] = poses();
        result["ranges"] = ranges;
        result["collided"] = collided;
        result["stalled"] = stalled;
        return result;
    }

    py::array_t<float> scan()
    {
        py::array_t<float> ranges = rangesArray();
        {
            py::gil_scoped_release released;
            scanFleet(
                fleetMap(), m_carts, m_angles, m_range, workers(), ranges.mutable_data(), nullptr, &m_noise, m_steps);
        }
        return ranges;
    }

    std::size_t size() const { return m_carts.size(); }

private:
    static double bound(const py::object& value, const char* name)
    {
        const double limit = value.is_none() ? std::numeric_limits<double>::infinity() : finiteReal(value, name);
        if (limit < 0.0) {
            throw py::value_error(std::string(name) + " is 0 or more, not " + std::to_string(limit));
        }
        return limit;
    }

    FleetMap fleetMap() const { return { m_map.pixels, &m_map.walls() }; }
    int workers() const { return m_threads > 0 ? m_threads : threadsWorthFor(m_carts.size() * m_angles.size()); }
    py::array_t<float> rangesArray() const
    {
        return py::array_t<float>({ py::ssize_t(m_carts.size()), py::ssize_t(m_angles.size()) });
    }

    Map m_map;
    Drive m_drive;
    CollisionMode m_mode = CollisionMode::Stop;
    std::vector<double> m_angles;
    int m_range = 150;
    int m_threads = 0;
    std::vector<FleetCart> m_carts;
    FleetNoise m_noise;
    std::uint32_t m_steps = 0; // keys the noise of each step
};

py::dict follow(const Map& map, const py::object& pathArray, const py::object& speed, const py::object& lookahead,
    const py::object& wheelbase, const py::object& minDistance, const py::object& maxSteering,
    const py::object& rangeArgument, const py::object& divisorArgument)
{
    const std::vector<TrajectoryPoint> records = recordsOf(pathArray);
    FollowSettings settings;
    settings.speed = finiteReal(speed, "speed");
    settings.lookahead = finiteReal(lookahead, "lookahead");
    settings.wheelbase = finiteReal(wheelbase, "wheelbase");
    settings.minDistance = finiteReal(minDistance, "min_distance");
    settings.maxSteering = finiteReal(maxSteering, "max_steering");
    if (const QString fault = followFault(settings); !fault.isEmpty()) {
        throw py::value_error(fault.toStdString());
    }
    const int range = int(wholeNumber(rangeArgument, "range", 0));
    const float divisor = divisorOf(divisorArgument);
    RunRecord run;
    FollowResult result;
    {
        py::gil_scoped_release released;
        const ScanPixels pixels = scanPixels(map.pixels);
        FollowHooks hooks;
        hooks.sweep = [&](const CartPose& pose, int x, int y, int, int, std::vector<ScanHit>& hits) {
            const std::vector<SweepRay> rays = sweepPixels(pixels, x, y, pose.heading, range, divisor);
            for (const SweepRay& ray : rays) {
                if (ray.hit) {
                    hits.push_back(*ray.hit);
                }
            }
            return int(rays.size());
        };
        result = followPath(records, settings, FleetMap { map.pixels, &map.walls() }, hooks, run);
    }
    py::dict table = runColumns(map, run);
    table["cross_track_px"] = py::array_t<double>(py::ssize_t(result.crossTrack.size()), result.crossTrack.data());
    table["end"] = followEndText(result).toStdString();
    return table;
}

} // namespace

void bindFleet(py::module_& module)
{
    const py::object fiveDegrees
        = py::module_::import("numpy").attr("radians")(py::module_::import("numpy").attr("arange")(-90, 91, 5));
    py::class_<Fleet>(module, "Fleet", R"(Many carts on one map, stepped at once: the closed loop's simulator.

Each step moves every cart by its drive along the exact arc of its constant
command, checks the cart's disc (radius 8, as a run draws it) against the map's
walls at points at most 2 pixels apart along the way, and casts every cart's
rays as tav1.cast does. Positions are map pixels (y down), headings radians
clockwise on screen. The results do not depend on the number of threads.

Parameters
----------
map : Map
poses : array_like, shape (N, 3)
    Each cart's x, y, heading.
drive : {"car", "diff"}, optional
    "car": commands (speed, steering angle), the bicycle model with the given
    wheelbase, the steering bounded by max_steering. "diff": commands (speed,
    turn rate), or left and right wheel speeds with step(..., wheels=True).
wheelbase, track : float, optional
    The car's wheelbase and the diff drive's wheel track, pixels (positive).
angles : array_like, optional
    The rays' angles relative to the heading: every 5 degrees from -90 to 90.
range : int, optional
    How far the rays reach, pixels.
collision : {"stop", "pass"}, optional
    "stop": a step that would touch a wall leaves the cart where it was and marks
    it stalled (and collided). "pass": it moves on, marked collided.
threads : int, optional
    As for tav1.cast: 0 takes as many as the work is worth.
max_speed, max_turn_rate, max_acceleration : float or None, optional
    Bounds on |speed|, |turn rate| and the change of speed a time unit; None is none.
max_steering : float, optional
    The car's steering bound, radians.
noise : RangeNoise, optional
    The scanners' noise.
odometry : sequence of 4 floats, optional
    The odometry motion model's alphas (AMCL's odom_alpha1..4: rotation from
    rotation, rotation from translation, translation from translation, translation
    from rotation): each step's turn, move and turn are drawn about the exact ones.
seed : int, optional
    What every noise is drawn from, with the cart's index, the ray's and the step
    count: the same seed gives the same fleet on any number of threads.

Raises
------
ValueError
    For an unknown drive or collision mode, a wheelbase or track that is not
    positive, or bad poses, angles or numbers.
)")
        .def(py::init<const Map&, const py::object&, const std::string&, const py::object&, const py::object&,
                 const py::object&, const py::object&, const std::string&, const py::object&, const py::object&,
                 const py::object&, const py::object&, const py::object&, const py::object&, const py::object&,
                 const py::object&>(),
            py::arg("map"), py::arg("poses"), py::arg("drive") = "car", py::arg("wheelbase") = 10.0,
            py::arg("track") = 10.0, py::arg("angles") = fiveDegrees, py::arg("range") = 150,
            py::arg("collision") = "stop", py::arg("threads") = 0, py::arg("max_speed") = py::none(),
            py::arg("max_turn_rate") = py::none(), py::arg("max_acceleration") = py::none(),
            py::arg("max_steering") = 0.6, py::arg("noise") = py::none(),
            py::arg("odometry") = py::make_tuple(0.0, 0.0, 0.0, 0.0), py::arg("seed") = 0)
        .def("step", &Fleet::step, py::arg("commands"), py::arg("dt"), py::arg("wheels") = false,
            R"(Moves every cart for dt under its command, then scans.

Parameters
----------
commands : array_like, shape (N, 2)
    (speed, steering angle) for "car", (speed, turn rate) for "diff", or the left
    and right wheel speeds with wheels=True. Speeds are pixels a time unit.
dt : float
    The step's time, 0 or more.
wheels : bool, optional
    The commands are a diff drive's wheel speeds.

Returns
-------
dict
    pose (N x 3 float64), ranges (N x R float32, as tav1.cast), collided and
    stalled (N bool).
)")
        .def("scan", &Fleet::scan, "The ranges of every cart's rays where it stands, as tav1.cast gives them.")
        .def("reset", &Fleet::reset, py::arg("poses"), "Puts the carts at new poses (N x 3), at rest.")
        .def_property_readonly("poses", &Fleet::poses, "Each cart's x, y, heading: an N x 3 array.")
        .def("__len__", &Fleet::size)
        .def(py::pickle([](const Fleet& fleet) { return fleet.state(); },
            [](const py::tuple& state) { return Fleet::restored(state); }));

    module.def("follow", &follow, py::arg("map"), py::arg("path"), py::arg("speed") = 10.0, py::arg("lookahead") = 20.0,
        py::arg("wheelbase") = 10.0, py::arg("min_distance") = 0.0, py::arg("max_steering") = 0.6,
        py::arg("range") = 150, py::arg("divisor") = 10.0, R"(Trajectory > Follow path without a window.

The cart starts at the path's first record, heading along its first segment, and
drives the car model (the wheelbase is the cart's length, "Dlzka") under pure
pursuit at speed pixels a step, sweeping its scanner after each step as the
window does, until it reaches the path's end, stalls on a wall, stops for an
obstacle within 30 degrees of its heading nearer than min_distance, or has
driven twice the path's length. Only the map's pixels are read (see run).

Parameters
----------
map : Map
path : array_like, shape (N, 2)
speed, lookahead, wheelbase : float, optional
    Pixels a step, pixels, pixels; all positive.
min_distance : float, optional
    The safety stop's distance ("MinVzdialenost"); 0 never stops.
max_steering : float, optional
    The steering bound, radians.
range : int, optional
divisor : float, optional
    The scanner's, as for run.

Returns
-------
dict of numpy.ndarray
    The columns of File > Export run, as run gives them, and cross_track_px (the
    cart's distance from the path after each step); "end" is the text the status
    bar shows ("Reached the end", "Stopped: obstacle at 34 px", ...).

Raises
------
ValueError
    For a bad path or numbers.
)");
}
