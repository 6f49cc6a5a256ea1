#pragma once

#include <pybind11/pybind11.h>

#include "sim/runrecord.h"
#include "sim/trajectorypoint.h"

#include <vector>

struct Map;

// tav1.run.
void bindRun(pybind11::module_& module);

// A path argument: N x 2 finite pixel positions, as records.
std::vector<TrajectoryPoint> recordsOf(const pybind11::object& pathArray);

// A run's steps and hits as the columns of File > Export run, by name.
pybind11::dict runColumns(const Map& map, const RunRecord& run);
