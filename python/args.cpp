#include "args.h"

#include "platform/pixelmath.h"

#include <cmath>
#include <string>

namespace py = pybind11;

namespace {

std::string shown(const py::handle& value)
{
    return py::repr(value).cast<std::string>();
}

} // namespace

long long wholeNumber(const py::handle& value, const char* name, long long low, long long high)
{
    long long number = 0;
    bool whole = false;
    if (PyIndex_Check(value.ptr())) {
        const auto index = py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr()));
        int overflow = 0;
        number = index ? PyLong_AsLongLongAndOverflow(index.ptr(), &overflow) : 0;
        number = overflow > 0 ? LLONG_MAX : overflow < 0 ? LLONG_MIN : number;
        whole = bool(index);
        PyErr_Clear();
    } else if (!PyUnicode_Check(value.ptr()) && !PyBytes_Check(value.ptr())) {
        PyObject* real = PyNumber_Float(value.ptr());
        if (real == nullptr) {
            PyErr_Clear();
        } else {
            const double v = PyFloat_AsDouble(real);
            Py_DECREF(real);
            whole = std::isfinite(v) && v == std::trunc(v);
            number = !whole ? 0 : v >= 9.2e18 ? LLONG_MAX : v <= -9.2e18 ? LLONG_MIN : (long long)v;
        }
    }
    if (!whole) {
        throw py::value_error(std::string(name) + " is a whole number, not " + shown(value));
    }
    if (number < low || number > high) {
        throw py::value_error(
            std::string(name) + " is " + std::to_string(low) + " to " + std::to_string(high) + ", not " + shown(value));
    }
    return number;
}

double finiteReal(const py::handle& value, const char* name)
{
    PyObject* real = PyUnicode_Check(value.ptr()) || PyBytes_Check(value.ptr()) ? nullptr : PyNumber_Float(value.ptr());
    if (real == nullptr) {
        PyErr_Clear();
        throw py::value_error(std::string(name) + " is a real number, not " + shown(value));
    }
    const double v = PyFloat_AsDouble(real);
    Py_DECREF(real);
    if (!std::isfinite(v)) {
        throw py::value_error(std::string(name) + " is a finite number, not " + shown(value));
    }
    return v;
}

float divisorOf(const py::handle& value)
{
    const double divisor = finiteReal(value, "divisor");
    if (!std::isfinite(float(divisor))) {
        throw py::value_error("divisor is a finite 32-bit real, not " + shown(value));
    }
    return float(divisor);
}

py::array_t<double> realRows(
    const py::handle& value, const char* name, int columns, int pixelColumns, const char* shapeError)
{
    const auto rows = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(value);
    if (!rows || rows.ndim() != (columns == 0 ? 1 : 2) || (columns != 0 && rows.shape(1) != columns)) {
        throw py::value_error(shapeError);
    }
    const py::ssize_t width = columns == 0 ? 1 : columns;
    const double* data = rows.data();
    for (py::ssize_t i = 0; i < rows.size(); ++i) {
        const bool pixel = i % width < pixelColumns;
        if (!std::isfinite(data[i]) || (pixel && !(std::fabs(data[i]) < kPixelLimit))) {
            const std::string where = columns == 0 ? std::string(name) + "[" + std::to_string(i) + "]"
                                                   : std::string(name) + " row " + std::to_string(i / width);
            throw py::value_error(where + ": " + shown(py::float_(data[i]))
                + (std::isfinite(data[i]) ? " lies beyond the pixel coordinates" : " is not a finite number"));
        }
    }
    return rows;
}
