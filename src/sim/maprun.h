#pragma once

#include "sim/runrecord.h"
#include "sim/trajectorypoint.h"

#include <QImage>

// A run by the animation's rules over a map's own pixels, without a window: ten records a step,
// the step count of a path of `count` records (its record count standing in for the start-end
// distance, as for a loaded path), the cart moved to each step's end, its heading the bearing of
// the step, a sweep after each move and the cart's collisions. Nothing is drawn, so unlike the
// window, where the path and the cart's own drawings lie on the canvas, only the map's walls
// stop a ray.
RunRecord runOnMap(const QImage& map, const TrajectoryPoint* records, int count, int range, float stepDivisor);
