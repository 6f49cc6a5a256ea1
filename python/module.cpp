#include "fleet.h"
#include "map.h"
#include "run.h"
#include "scan.h"
#include "sensor.h"
#include "trajectory.h"

#include <pybind11/pybind11.h>

PYBIND11_MODULE(tav1, module)
{
    module.doc() = R"(TAV1's simulation from Python: the very map readers, scanner, path generators and
run rules the program runs, over NumPy arrays.

Positions are map pixels, x right and y down; angles are radians, clockwise on
screen (0 looks along +x). Walls are pure red pixels (255, 0, 0).

Maps:        Map(array), load_map(path), import_occupancy(path); map.walls,
             map.unknown, map.to_metres(xy), map.to_pixels(xy_m)
Scanner:     sweep(map, x, y, heading, ...), cast(map, poses, angles, range, ...)
Paths, runs: trajectory(kind, start, end, ...), run(map, path, ...),
             collides(map, xy, radius=8), follow(map, path, ...)
Closed loop: Fleet(map, poses, drive="car", ...).step(commands, dt)
Sensing:     RangeNoise(...), beam_weights(map, particles, angles, observed, range, ...),
             likelihood_field(map, particles, angles, observed, range, ...)

Example
-------
>>> import numpy as np, tav1
>>> walls = np.zeros((100, 200), bool)
>>> walls[:, 150:] = True
>>> lab = tav1.Map(walls)
>>> tav1.cast(lab, [[20, 50, 0.0]], [0.0], range=300)
array([[130.]], dtype=float32)
>>> result = tav1.run(lab, tav1.trajectory("line", (10, 50), (120, 50)))
>>> int(result["step"][-1]), bool(result["collision"].any())
(10, False)

A path saved as "x,y" rows (numpy.savetxt(name, path, delimiter=",",
header="x,y", comments="")) opens in the program with Trajectory > Load path...
)";
    module.attr("__version__") = TAV1_VERSION;
    bindMap(module);
    bindGeometry(module);
    bindScan(module);
    bindTrajectory(module);
    bindRun(module);
    bindFleet(module);
    bindSensor(module);
}
