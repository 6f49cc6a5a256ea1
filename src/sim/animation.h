#pragma once

// The path animation moves the cart along the stored trajectory ten records per step: step j
// (counting from 1) joins record 10 * (j - 1), the guide point, to record 10 * j.

#include "sim/trajectorypoint.h"

constexpr int kStepRecords = 10;

// Where step `step` moves the cart: from the guide point to the step's end (the records
// truncated to pixels), facing along the move.
struct StepMove {
    int guideX;
    int guideY;
    int cartX;
    int cartY;
    double heading;
};
StepMove animationStepMove(const TrajectoryPoint* records, int step);

// How many steps a run makes over a start-end chord of `length` pixels when `recordCount`
// records hold the current trajectory. The first step always runs; step j + 1 runs while
// 10 * (j + 1), as a 32-bit real, is below the length. A step never ends on a record beyond
// the stored ones, so a run over a short or stale trajectory stops early (or makes no step).
int animationStepCount(float length, int recordCount);
