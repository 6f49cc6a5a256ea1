#pragma once

#include "sim/distancefield.h"
#include "sim/occupancymap.h"
#include "sim/walldistance.h"

#include <pybind11/pybind11.h>

#include <QImage>

#include <memory>
#include <mutex>
#include <optional>

// A map as the module holds it: the 32-bit RGB pixels the scanner reads and, for an imported
// occupancy map, where it lies in the world.
struct Map {
    QImage pixels;
    std::optional<MapGeometry> geometry;
    bool occupancy = false; // imported as an occupancy map: its grey pixels are unknown cells

    // How far each pixel lies from a wall, made by the first call that casts rays and kept: the
    // pixels of a Map never change.
    const WallDistances& walls() const;

    struct Walls {
        std::once_flag made;
        WallDistances field;
    };
    std::shared_ptr<Walls> wallCache = std::make_shared<Walls>();

    // The exact distance to the nearest wall, made by the first likelihood field and kept.
    const DistanceField& distances() const;
    struct Distances {
        std::once_flag made;
        DistanceField field;
    };
    std::shared_ptr<Distances> distanceCache = std::make_shared<Distances>();
};

// tav1.Map, tav1.load_map and tav1.import_occupancy.
void bindMap(pybind11::module_& module);

// Map's walls, unknown cells, metres and headings, and tav1.collides.
void bindGeometry(pybind11::module_& module);
