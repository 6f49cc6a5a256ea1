#pragma once

#include <pybind11/pybind11.h>

// tav1.Fleet and tav1.follow.
void bindFleet(pybind11::module_& module);
