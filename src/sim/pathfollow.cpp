#include "sim/pathfollow.h"

#include "platform/pixelmath.h"
#include "sim/purepursuit.h"

#include <cmath>
#include <optional>

QString followEndText(const FollowResult& result)
{
    switch (result.end) {
    case FollowEnd::Reached:
        return QStringLiteral("Reached the end");
    case FollowEnd::Obstacle:
        return QStringLiteral("Stopped: obstacle at %1 px").arg(std::lround(result.obstacle));
    case FollowEnd::Stalled:
        return QStringLiteral("Stalled on a wall at step %1").arg(result.step);
    case FollowEnd::Lost:
        return QStringLiteral("Lost the path at step %1").arg(result.step);
    case FollowEnd::Interrupted:
        return QStringLiteral("Stopped at step %1").arg(result.step);
    case FollowEnd::NoPath:
        break;
    }
    return QStringLiteral("No path to follow");
}

QString followFault(const FollowSettings& settings)
{
    Drive car;
    car.wheelbase = settings.wheelbase;
    const std::string fault = driveFault(car);
    if (!fault.empty()) {
        return QString::fromStdString(fault);
    }
    if (!(settings.speed > 0.0 && std::isfinite(settings.speed)) || !(settings.lookahead > 0.0)
        || !std::isfinite(settings.lookahead) || !std::isfinite(settings.minDistance)
        || !(settings.maxSteering >= 0.0)) {
        return QStringLiteral("the speed and the look-ahead must be positive numbers");
    }
    return {};
}

FollowResult followPath(std::span<const TrajectoryPoint> path, const FollowSettings& settings, const FleetMap& map,
    const FollowHooks& hooks, RunRecord& run)
{
    FollowResult result;
    if (path.size() < 2) {
        return result;
    }
    std::vector<QPointF> points;
    points.reserve(path.size());
    for (const TrajectoryPoint& record : path) {
        points.emplace_back(record.x, record.y);
    }
    PathTracker tracker(points);
    Drive car;
    car.wheelbase = settings.wheelbase;
    car.limits.maxSteering = settings.maxSteering;
    FleetCart cart;
    cart.pose
        = { points[0].x(), points[0].y(), std::atan2(points[1].y() - points[0].y(), points[1].x() - points[0].x()) };
    cart.speed = settings.speed;
    // Enough path ahead to find the cart again after a step, and no farther.
    const double window = 2.0 * (settings.lookahead + settings.speed);
    std::span<const ScanHit> lastHits;
    double driven = 0.0;
    // Where the cart is along the path: found at the start, then after each step.
    tracker.update(QPointF(cart.pose.x, cart.pose.y), window);
    for (int step = 1;; ++step) {
        const QPointF at(cart.pose.x, cart.pose.y);
        const std::optional<double> obstacle = obstacleAhead(lastHits, cart.pose.heading);
        if (settings.minDistance > 0.0 && obstacle && *obstacle < settings.minDistance) {
            result.end = FollowEnd::Obstacle;
            result.obstacle = *obstacle;
            return result;
        }
        const double steering = pursuitSteering(cart.pose, tracker.target(at, settings.lookahead), settings.wheelbase);
        const int guideX = truncToPixel(cart.pose.x);
        const int guideY = truncToPixel(cart.pose.y);
        stepCart(map, car, CollisionMode::Stop, cart, settings.speed, steering, 1.0);
        driven += cart.stalled ? 0.0 : settings.speed;
        const int x = truncToPixel(cart.pose.x);
        const int y = truncToPixel(cart.pose.y);
        const int firstHit = int(run.hits.size());
        const int rays = hooks.sweep(cart.pose, x, y, guideX, guideY, run.hits);
        lastHits = std::span<const ScanHit>(run.hits).subspan(std::size_t(firstHit));
        run.steps.push_back({ step, x, y, cart.pose.heading, guideX, guideY, static_cast<float>(cart.steering), rays,
            firstHit, cart.stalled });
        result.step = step;
        result.crossTrack.push_back(tracker.update(QPointF(cart.pose.x, cart.pose.y), window));
        if (hooks.stepped && !hooks.stepped(run.steps.back(), result.crossTrack.back())) {
            result.end = FollowEnd::Interrupted;
            return result;
        }
        if (cart.stalled) {
            result.end = FollowEnd::Stalled;
            return result;
        }
        if (tracker.reachedEnd(QPointF(cart.pose.x, cart.pose.y), settings.speed)) {
            result.end = FollowEnd::Reached;
            return result;
        }
        if (driven > 2.0 * tracker.length()) {
            result.end = FollowEnd::Lost;
            return result;
        }
    }
}
