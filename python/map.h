#pragma once

#include "sim/occupancymap.h"

#include <pybind11/pybind11.h>

#include <QImage>

#include <optional>

// A map as the module holds it: the 32-bit RGB pixels the scanner reads and, for an imported
// occupancy map, where it lies in the world.
struct Map {
    QImage pixels;
    std::optional<MapGeometry> geometry;
};

// tav1.Map, tav1.load_map and tav1.import_occupancy.
void bindMap(pybind11::module_& module);
