#pragma once

#include <pybind11/pybind11.h>

// tav1.run.
void bindRun(pybind11::module_& module);
