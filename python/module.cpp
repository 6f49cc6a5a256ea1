#include "map.h"
#include "run.h"
#include "scan.h"
#include "trajectory.h"

#include <pybind11/pybind11.h>

PYBIND11_MODULE(tav1, module)
{
    module.doc() = R"(TAV1's simulation from Python: the very map readers, scanner and path
generators the program runs, over NumPy arrays. Positions are map pixels, x right and
y down; angles are radians, clockwise on screen.)";
    bindMap(module);
    bindScan(module);
    bindTrajectory(module);
    bindRun(module);
}
