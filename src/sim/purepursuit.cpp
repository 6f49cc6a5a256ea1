#include "sim/purepursuit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Distance from `p` to the segment from `a` to `b`.
double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return distance(p, a + t * ab);
}

// An angle brought into -pi .. pi.
double wrapped(double angle)
{
    return std::remainder(angle, 2.0 * M_PI);
}

} // namespace

PathTracker::PathTracker(std::vector<QPointF> points)
    : m_points(std::move(points))
{
    m_along.reserve(m_points.size());
    double along = 0.0;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        along += i == 0 ? 0.0 : distance(m_points[i - 1], m_points[i]);
        m_along.push_back(along);
    }
}

double PathTracker::update(QPointF at, double window)
{
    if (m_points.empty()) {
        return 0.0;
    }
    double nearest = std::numeric_limits<double>::infinity();
    std::size_t best = m_at;
    for (std::size_t i = m_at; i < m_points.size() && m_along[i] <= m_along[m_at] + window; ++i) {
        const double d = distance(at, m_points[i]);
        if (d < nearest) {
            nearest = d;
            best = i;
        }
    }
    m_at = best;
    // The error is to the path itself: the segments on either side of the nearest record.
    double error = nearest;
    if (m_at > 0) {
        error = std::min(error, segmentDistance(at, m_points[m_at - 1], m_points[m_at]));
    }
    if (m_at + 1 < m_points.size()) {
        error = std::min(error, segmentDistance(at, m_points[m_at], m_points[m_at + 1]));
    }
    return error;
}

QPointF PathTracker::target(QPointF at, double lookahead) const
{
    for (std::size_t i = m_at; i < m_points.size(); ++i) {
        if (distance(at, m_points[i]) >= lookahead) {
            return m_points[i];
        }
    }
    return m_points.empty() ? at : m_points.back();
}

bool PathTracker::reachedEnd(QPointF at, double tolerance) const
{
    return !m_points.empty() && m_along.back() - m_along[m_at] <= tolerance
        && distance(at, m_points.back()) <= tolerance;
}

double pursuitSteering(const CartPose& pose, QPointF target, double wheelbase)
{
    const double dx = target.x() - pose.x;
    const double dy = target.y() - pose.y;
    const double reach = std::hypot(dx, dy);
    if (reach == 0.0) {
        return 0.0;
    }
    const double alpha = wrapped(std::atan2(dy, dx) - pose.heading);
    return std::atan(wheelbase * 2.0 * std::sin(alpha) / reach);
}

std::optional<double> obstacleAhead(std::span<const ScanHit> hits, double heading)
{
    constexpr double kCone = M_PI / 6.0;
    std::optional<double> nearest;
    for (const ScanHit& hit : hits) {
        if (std::fabs(wrapped(hit.angle - heading)) <= kCone && (!nearest || hit.distance < *nearest)) {
            nearest = hit.distance;
        }
    }
    return nearest;
}
