#pragma once

#include "sim/rangenoise.h"

#include <pybind11/pybind11.h>

#include <cstdint>

// tav1.RangeNoise, tav1.beam_weights and tav1.likelihood_field.
void bindSensor(pybind11::module_& module);

// A noise argument: None or a tav1.RangeNoise; null for none.
const RangeNoise* rangeNoiseOf(const pybind11::object& noise);

// A seed argument: a whole number 0 to 2^64 - 1.
std::uint64_t seedOf(const pybind11::object& seed);
