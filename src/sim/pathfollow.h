#pragma once

#include "sim/fleet.h"
#include "sim/runrecord.h"
#include "sim/trajectorypoint.h"

#include <QString>

#include <functional>
#include <span>
#include <vector>

// "Follow path": the cart starts at the path's first record, heading along its first segment,
// and drives the car model under pure pursuit (purepursuit.h) at a constant speed, one step a
// time unit, sweeping its scanner after each move, until it reaches the path's end, stalls on a
// wall (collision mode Stop), stops for an obstacle within 30 degrees of its heading nearer than
// the minimum distance, or has driven twice the path's length. The window and the module run
// this one loop; each gives its own sweep (the window's draws on the canvas).

struct FollowSettings {
    double speed = 10.0; // pixels a step: the cart's drawing ten pixels back lies behind its rays
    double lookahead = 20.0; // pixels
    double wheelbase = 10.0; // the cart's length
    double maxSteering = 0.6;
    double minDistance = 0.0; // pixels; 0 never stops
};

enum class FollowEnd { Reached, Obstacle, Stalled, Lost, Interrupted, NoPath };

struct FollowResult {
    FollowEnd end = FollowEnd::NoPath;
    int step = 0; // the last step made
    double obstacle = 0.0; // the distance it stopped for
    std::vector<double> crossTrack; // each step's, pixels
};

// What the status bar says of it: "Reached the end", "Stopped: obstacle at 34 px", ...
QString followEndText(const FollowResult& result);

// Why the settings cannot drive (a wheelbase, speed or look-ahead that is not positive), or empty.
QString followFault(const FollowSettings& settings);

struct FollowHooks {
    // Sweeps from the cart at `pose` (its pixel (x, y) truncated), `guide` the pixel it came
    // from, appending the hits; returns the number of rays.
    std::function<int(const CartPose& pose, int x, int y, int guideX, int guideY, std::vector<ScanHit>& hits)> sweep;
    // After each recorded step; false stops the run (Esc).
    std::function<bool(const StepRecord& step, double crossTrack)> stepped;
};

// Runs the loop over `map` (walls may be null), recording every step and hit into `run`.
FollowResult followPath(std::span<const TrajectoryPoint> path, const FollowSettings& settings, const FleetMap& map,
    const FollowHooks& hooks, RunRecord& run);
