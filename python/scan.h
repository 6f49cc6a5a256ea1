#pragma once

#include <pybind11/pybind11.h>

// tav1.sweep and tav1.cast.
void bindScan(pybind11::module_& module);
