#pragma once

#include "sim/kinematics.h"
#include "sim/scanner.h"

#include <QPointF>

#include <optional>
#include <span>
#include <vector>

// Pure pursuit along a stored path: the cart steers for the point of the path a look-ahead
// distance (pixels) ahead of it, on the arc that joins them: curvature 2 sin(alpha) / Ld, alpha
// the target's bearing from the heading and Ld its distance; a car's steering angle for that
// curvature is atan(wheelbase * curvature).

// Where a cart is along a path: the record it has got to, never going back, so a cart that
// crosses its path ahead or loops keeps to the part it is on.
class PathTracker {
public:
    explicit PathTracker(std::vector<QPointF> points);

    // Moves on to the record nearest `at` among those up to `window` pixels of path ahead, and
    // returns the cart's distance from the path there (the cross-track error).
    double update(QPointF at, double window);
    // The first record from there on at least `lookahead` from `at`; the last when none is.
    QPointF target(QPointF at, double lookahead) const;
    // Whether the cart has come within `tolerance` of the path's end with little path left.
    bool reachedEnd(QPointF at, double tolerance) const;
    double length() const { return m_along.empty() ? 0.0 : m_along.back(); }

private:
    std::vector<QPointF> m_points;
    std::vector<double> m_along; // path length up to each record
    std::size_t m_at = 0;
};

// The steering angle that takes a car of this wheelbase on pure pursuit's arc to `target`
// (unbounded; the drive bounds it).
double pursuitSteering(const CartPose& pose, QPointF target, double wheelbase);

// The nearest hit of a ray within 30 degrees either side of the heading, or nothing.
std::optional<double> obstacleAhead(std::span<const ScanHit> hits, double heading);
