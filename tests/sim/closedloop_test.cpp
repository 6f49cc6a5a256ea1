#include "sim/fleet.h"
#include "sim/kinematics.h"
#include "sim/pathfollow.h"
#include "sim/purepursuit.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

Drive car(double wheelbase, DriveLimits limits = {})
{
    return { DriveKind::Car, wheelbase, 10.0, limits };
}

// Steps a pose n times under one command, as a fleet of one on an open map.
CartPose driven(const Drive& drive, CartPose start, double first, double second, double dt, int n, double speed = 0.0)
{
    const QImage open;
    FleetCart cart { start, speed };
    for (int i = 0; i < n; ++i) {
        stepCart({ open, nullptr }, drive, CollisionMode::Stop, cart, first, second, dt);
    }
    return cart.pose;
}

} // namespace

// Both drives move on the closed forms of their arcs, within their bounds.
TEST(Kinematics, ArcsOfBothDrivesAndTheirBounds)
{
    const double delta = 0.3;
    const double radius = 20.0 / std::tan(delta);
    struct Row {
        const char* name;
        Drive drive;
        double first;
        double second;
        double dt;
        int steps;
        CartPose expected;
        double tolerance;
    };
    const double around = 2.0 * M_PI * radius / 5.0; // steps of speed 5 for a full circle
    const Row rows[] = {
        { "straight", car(20), 7.0, 0.0, 0.5, 4, { 14.0 * std::cos(1.0), 14.0 * std::sin(1.0), 1.0 }, 1e-12 },
        { "a full circle of radius L / tan(delta) comes back", car(20), 5.0, delta, around / std::ceil(around),
            int(std::ceil(around)), { 0.0, 0.0, 1.0 + 2.0 * M_PI }, 1e-9 },
        { "a quarter turn clockwise on screen", car(20), M_PI * radius / 2.0, delta, 1.0, 1,
            { radius * (std::cos(1.0) - std::sin(1.0)) * 0.0 + radius * (std::sin(1.0 + M_PI / 2) - std::sin(1.0)),
                -radius * (std::cos(1.0 + M_PI / 2) - std::cos(1.0)), 1.0 + M_PI / 2 },
            1e-9 },
        { "steering bounded to 0.6", car(20), 5.0, 1.5, 1.0, 1, driven(car(20), { 0, 0, 1.0 }, 5.0, 0.6, 1.0, 1), 0.0 },
        { "speed bounded", car(20, { 3.0 }), 9.0, 0.0, 1.0, 1, { 3.0 * std::cos(1.0), 3.0 * std::sin(1.0), 1.0 },
            1e-12 },
        { "acceleration bounded", car(20, { kInf, kInf, 2.0 }), 9.0, 0.0, 1.0, 2,
            { 6.0 * std::cos(1.0), 6.0 * std::sin(1.0), 1.0 }, 1e-12 },
        { "diff turns in place", { DriveKind::Diff, 10, 10, {} }, 0.0, -0.5, 2.0, 1, { 0.0, 0.0, 0.0 }, 1e-12 },
        { "diff turn rate bounded", { DriveKind::Diff, 10, 10, { kInf, 0.25 } }, 0.0, 1.0, 2.0, 1, { 0, 0, 1.5 },
            1e-12 },
        { "dt 0 stays", car(20), 9.0, 0.5, 0.0, 3, { 0.0, 0.0, 1.0 }, 0.0 },
    };
    for (const Row& row : rows) {
        const CartPose end = driven(row.drive, { 0.0, 0.0, 1.0 }, row.first, row.second, row.dt, row.steps);
        EXPECT_NEAR(end.x, row.expected.x, row.tolerance) << row.name;
        EXPECT_NEAR(end.y, row.expected.y, row.tolerance) << row.name;
        EXPECT_NEAR(end.heading, row.expected.heading, row.tolerance) << row.name;
    }
    double speed = 0.0;
    double turn = 0.0;
    diffCommand(3.0, 5.0, 4.0, speed, turn);
    EXPECT_EQ(speed, 4.0);
    EXPECT_EQ(turn, -0.5) << "a right wheel faster turns against the clock on screen";
    EXPECT_EQ(
        driveFault(car(0)), "the wheelbase (the cart's length) must be a positive number of pixels, not 0.000000");
    EXPECT_FALSE(driveFault({ DriveKind::Diff, 0, 0, {} }).empty());
}

// A wall across the way: Stop leaves the cart before it, Pass goes through, and a step far
// longer than the wall is thick cannot jump it; any number of threads gives the same fleet.
TEST(Fleet, WallsStopOrMarkCartsAndThreadsChangeNothing)
{
    QImage map(400, 300, QImage::Format_RGB32);
    map.fill(Qt::white);
    QPainter(&map).fillRect(QRect(200, 0, 1, 300), Qt::red);
    const WallDistances walls = wallDistances(scanPixels(map));
    const FleetMap onMap { map, &walls };
    for (const CollisionMode mode : { CollisionMode::Stop, CollisionMode::Pass }) {
        FleetCart cart { { 150.0, 100.0, 0.0 } };
        stepCart(onMap, car(10), mode, cart, 120.0, 0.0, 1.0);
        EXPECT_TRUE(cart.collided);
        EXPECT_EQ(cart.stalled, mode == CollisionMode::Stop);
        EXPECT_EQ(cart.pose.x, mode == CollisionMode::Stop ? 150.0 : 270.0);
    }
    std::mt19937 random(26);
    std::uniform_real_distribution<double> x(0, 400);
    std::uniform_real_distribution<double> y(0, 300);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::vector<FleetCart> start(300);
    std::vector<double> commands;
    for (FleetCart& cart : start) {
        cart.pose = { x(random), y(random), 3 * unit(random) };
        commands.insert(commands.end(), { 20 * unit(random), 0.6 * unit(random) });
    }
    const std::vector<double> angles = { -1.0, 0.0, 0.7 };
    std::vector<float> first;
    for (const int threads : { 1, 2, 3 }) {
        std::vector<FleetCart> carts = start;
        std::vector<float> ranges(carts.size() * angles.size(), NAN);
        for (int step = 0; step < 5; ++step) {
            stepFleet(
                onMap, car(10), CollisionMode::Stop, carts, commands.data(), 1.0, angles, 150, threads, ranges.data());
        }
        if (first.empty()) {
            first = ranges;
            EXPECT_GT(std::count_if(carts.begin(), carts.end(), [](const FleetCart& c) { return c.stalled; }), 5);
        }
        EXPECT_EQ(std::memcmp(ranges.data(), first.data(), ranges.size() * sizeof(float)), 0) << threads;
    }
}

// Pure pursuit keeps to the generator's full sine with a short cart; a cart too long for its
// turns cuts them; a wall across the way stops the cart before it.
TEST(FollowPath, PurePursuitKeepsToTheSineAndStopsBeforeAWall)
{
    std::vector<TrajectoryPoint> sine;
    for (int i = 0; i <= 600; ++i) {
        sine.push_back({ 100.0 + i, 300.0 - 40.0 * std::sin(2.0 * M_PI * i / 600.0), 0.0 });
    }
    QImage map(800, 600, QImage::Format_RGB32);
    map.fill(Qt::white);
    const auto follow = [&](double wheelbase, double minDistance) {
        FollowSettings settings;
        settings.wheelbase = wheelbase;
        settings.minDistance = minDistance;
        RunRecord run;
        const ScanPixels pixels = scanPixels(map);
        FollowHooks hooks;
        hooks.sweep = [&](const CartPose& pose, int x, int y, int, int, std::vector<ScanHit>& hits) {
            for (const SweepRay& ray : sweepPixels(pixels, x, y, pose.heading, 150, 10.0f)) {
                if (ray.hit) {
                    hits.push_back(*ray.hit);
                }
            }
            return 10;
        };
        return followPath(sine, settings, { map, nullptr }, hooks, run);
    };
    const auto meanError = [](const FollowResult& result) {
        double sum = 0.0;
        for (const double error : result.crossTrack) {
            sum += error;
        }
        return sum / double(result.crossTrack.size());
    };
    // A target square to the right, 20 pixels off: the arc of radius 10 through it.
    EXPECT_NEAR(pursuitSteering({ 0.0, 0.0, 0.0 }, QPointF(0.0, 20.0), 10.0), std::atan(1.0), 1e-12);
    const FollowResult shortCart = follow(10, 0);
    EXPECT_EQ(followEndText(shortCart), "Reached the end");
    EXPECT_LT(meanError(shortCart), 2.0);
    EXPECT_GT(meanError(follow(300, 0)), 10 * meanError(shortCart));
    QPainter(&map).fillRect(QRect(400, 0, 4, 600), Qt::red);
    const FollowResult stopped = follow(10, 30);
    EXPECT_EQ(stopped.end, FollowEnd::Obstacle);
    EXPECT_LT(stopped.obstacle, 30.0);
    EXPECT_EQ(followEndText(follow(10, 0)).left(22), "Stalled on a wall at s");
}
