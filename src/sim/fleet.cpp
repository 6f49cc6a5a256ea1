#include "sim/fleet.h"

#include "platform/pixelmath.h"
#include "platform/workshare.h"
#include "sim/cartcollision.h"
#include "sim/raycast.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// The cart's disc and how far from its centre it reaches, once.
struct Disc {
    std::vector<QPoint> footprint = cartFootprint(kCartRadius);
    int reach = [this] {
        int most = 0;
        for (const QPoint& offset : footprint) {
            most = std::max({ most, std::abs(offset.x()), std::abs(offset.y()) });
        }
        return most;
    }();
};

const Disc& disc()
{
    static const Disc made;
    return made;
}

bool discHitsWall(const FleetMap& map, const std::vector<QPoint>& footprint, double x, double y)
{
    const int px = offsetPixel(truncToPixel(x), -map.origin.x());
    const int py = offsetPixel(truncToPixel(y), -map.origin.y());
    // Far from every wall, the disc cannot touch one: the wall distances say so at one read.
    const WallDistances* walls = map.walls;
    if (walls != nullptr && px >= 0 && py >= 0 && px < walls->width && py < walls->height
        && walls->distance[std::size_t(py) * std::size_t(walls->width) + std::size_t(px)] > disc().reach) {
        return false;
    }
    return footprintHitsWall(map.pixels, footprint, px, py);
}

// A move as odometry sees it: a turn, a straight move, a turn.
struct OdometryMove {
    double turn1;
    double move;
    double turn2;
};

// What a noisy odometry makes of the move from `from` to `to`: each part drawn about the exact one.
OdometryMove noisyMove(const OdometryNoise& noise, const NoiseSource& source, std::uint32_t index, const CartPose& from,
    const CartPose& to)
{
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    double move = std::hypot(dx, dy);
    double turn1 = move > 1e-9 ? std::remainder(std::atan2(dy, dx) - from.heading, 2.0 * M_PI) : 0.0;
    // Backwards: a move against the heading, not a half turn and back.
    if (std::fabs(turn1) > M_PI / 2.0) {
        turn1 = std::remainder(turn1 + M_PI, 2.0 * M_PI);
        move = -move;
    }
    const double turn2 = to.heading - from.heading - turn1;
    const double* a = noise.alpha;
    // The cart's own numbers: under a ray index no ray has.
    const Uniforms u = uniforms(source.seed, index, 0xFFFFFFFFu, source.step, 0);
    const double noisyTurn1 = turn1 + std::sqrt(a[0] * turn1 * turn1 + a[1] * move * move) * normal(u.u[0]);
    const double noisyMoveBy
        = move + std::sqrt(a[2] * move * move + a[3] * (turn1 * turn1 + turn2 * turn2)) * normal(u.u[1]);
    const double noisyTurn2 = turn2 + std::sqrt(a[0] * turn2 * turn2 + a[1] * move * move) * normal(u.u[2]);
    return { noisyTurn1, noisyMoveBy, noisyTurn2 };
}

} // namespace

bool arcHitsWall(const FleetMap& map, const std::vector<QPoint>& footprint, const CartPose& from, double speed,
    double turnRate, double dt)
{
    constexpr double kCheckEvery = 2.0;
    const double length = std::fabs(speed * dt);
    const int points = std::max(1, int(std::min(std::ceil(length / kCheckEvery), 1e6)));
    for (int i = 1; i <= points; ++i) {
        const CartPose at = moveAlongArc(from, speed, turnRate, dt * i / points);
        if (discHitsWall(map, footprint, at.x, at.y)) {
            return true;
        }
    }
    return false;
}

void stepCart(const FleetMap& map, const Drive& drive, CollisionMode mode, FleetCart& cart, double first, double second,
    double dt, const OdometryNoise* odometry, NoiseSource source, std::uint32_t index)
{
    const Motion motion = motionOf(drive, first, second, cart.speed, dt);
    cart.steering = motion.steering;
    CartPose end = moveAlongArc(cart.pose, motion.speed, motion.turnRate, dt);
    if (odometry != nullptr && !odometry->none()) {
        const OdometryMove drawn = noisyMove(*odometry, source, index, cart.pose, end);
        const CartPose turned { cart.pose.x, cart.pose.y, cart.pose.heading + drawn.turn1 };
        cart.collided = arcHitsWall(map, disc().footprint, turned, drawn.move, 0.0, 1.0);
        end = moveAlongArc(turned, drawn.move, 0.0, 1.0);
        end.heading += drawn.turn2;
    } else {
        cart.collided = arcHitsWall(map, disc().footprint, cart.pose, motion.speed, motion.turnRate, dt);
    }
    cart.stalled = cart.collided && mode == CollisionMode::Stop;
    if (cart.stalled) {
        cart.speed = 0.0;
        return;
    }
    cart.pose = end;
    cart.speed = motion.speed;
}

void stepFleet(const FleetMap& map, const Drive& drive, CollisionMode mode, std::span<FleetCart> carts,
    const double* commands, double dt, std::span<const double> angles, int range, int threads, float* ranges, bool* hit,
    const FleetNoise* noise, std::uint32_t step)
{
    const OdometryNoise* odometry = noise != nullptr ? &noise->odometry : nullptr;
    const NoiseSource source { noise != nullptr ? noise->seed : 0, step };
    shareBlocks(carts.size(), 64, threads, [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            stepCart(map, drive, mode, carts[i], commands[2 * i], commands[2 * i + 1], dt, odometry, source,
                std::uint32_t(i));
        }
    });
    scanFleet(map, carts, angles, range, threads, ranges, hit, noise, step);
}

void scanFleet(const FleetMap& map, std::span<const FleetCart> carts, std::span<const double> angles, int range,
    int threads, float* ranges, bool* hit, const FleetNoise* noise, std::uint32_t step)
{
    std::vector<double> poses(3 * carts.size());
    for (std::size_t i = 0; i < carts.size(); ++i) {
        poses[3 * i] = carts[i].pose.x;
        poses[3 * i + 1] = carts[i].pose.y;
        poses[3 * i + 2] = carts[i].pose.heading;
    }
    castRays(*map.walls, poses.data(), carts.size(), angles, range, threads, ranges, hit,
        noise != nullptr ? &noise->range : nullptr, { noise != nullptr ? noise->seed : 0, step });
}
