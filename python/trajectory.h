#pragma once

#include <pybind11/pybind11.h>

// tav1.trajectory.
void bindTrajectory(pybind11::module_& module);
