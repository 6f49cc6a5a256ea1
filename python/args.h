#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <climits>

// The module's arguments, checked in its own words: a bad value raises ValueError naming the
// argument (and for an array, its first bad row) rather than being taken as something else.

// A whole number from `low` to `high`: a Python or NumPy integer, or a real without a fraction.
long long wholeNumber(
    const pybind11::handle& value, const char* name, long long low = INT_MIN, long long high = INT_MAX);

// A finite real.
double finiteReal(const pybind11::handle& value, const char* name);

// The scanner's step divisor as the program keeps it: a finite 32-bit real.
float divisorOf(const pybind11::handle& value);

// A C-ordered float64 array of anything NumPy reads as numbers, of `columns` columns (N x columns)
// or 1-dimensional for 0; `shapeError` is the message for any other. Its values are finite, and
// those of the first `pixelColumns` columns pixel coordinates.
pybind11::array_t<double> realRows(
    const pybind11::handle& value, const char* name, int columns, int pixelColumns, const char* shapeError);
