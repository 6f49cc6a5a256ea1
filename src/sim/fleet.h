#pragma once

#include "sim/kinematics.h"
#include "sim/rangenoise.h"
#include "sim/walldistance.h"

#include <QImage>

#include <span>
#include <vector>

// Many carts on one map, stepped at once: each moves by its drive (kinematics.h), its disc (the
// one a run draws, radius 8 around the cart's point) is checked against the map's wall pixels
// along the way, and then every cart's scanner is cast over the map's wall distances
// (raycast.h). Nothing depends on the number of threads.

enum class CollisionMode {
    Stop, // a step that would touch a wall leaves the cart where it was, stalled
    Pass, // the cart moves through, marked collided
};

struct FleetMap {
    const QImage& pixels;
    const WallDistances* walls; // for rays, and to skip the disc's test far from walls; may be null
    QPoint origin { 0, 0 }; // where the map's first pixel lies in the carts' coordinates
};

struct FleetCart {
    CartPose pose;
    double speed = 0.0; // the last step's, for the acceleration bound
    double steering = 0.0; // the last step's bounded steering angle (car)
    bool collided = false; // the last step touched a wall
    bool stalled = false; // ... and the cart stayed where it was (Stop)
};

// A fleet's noise: its scanners' and its odometry's, drawn from one seed (see rangenoise.h).
struct FleetNoise {
    RangeNoise range;
    OdometryNoise odometry;
    std::uint64_t seed = 0;
};

// Whether the cart's disc touches a wall of the map anywhere along the arc from `from`, checked
// at points at most 2 pixels apart and at the arc's end, so that no step jumps a thin wall.
bool arcHitsWall(const FleetMap& map, const std::vector<QPoint>& footprint, const CartPose& from, double speed,
    double turnRate, double dt);

// Moves one cart one step under a command (v, delta) or (v, omega). With odometry noise, the
// cart's turn, move and turn are drawn about the arc's (keyed by the source, cart `index`), and
// its disc is checked along the straight move it makes.
void stepCart(const FleetMap& map, const Drive& drive, CollisionMode mode, FleetCart& cart, double first, double second,
    double dt, const OdometryNoise* odometry = nullptr, NoiseSource source = {}, std::uint32_t index = 0);

// Steps every cart with its command (commands[2 * i], commands[2 * i + 1]), then casts each
// cart's rays at `angles` relative to its heading into ranges[i * angles.size() + a] (and
// hit[...] when given), over at most `threads` threads.
// `step` counts the fleet's steps, for its noise.
void stepFleet(const FleetMap& map, const Drive& drive, CollisionMode mode, std::span<FleetCart> carts,
    const double* commands, double dt, std::span<const double> angles, int range, int threads, float* ranges,
    bool* hit = nullptr, const FleetNoise* noise = nullptr, std::uint32_t step = 0);

// Casts every cart's rays where it stands (the map's wall distances needed).
void scanFleet(const FleetMap& map, std::span<const FleetCart> carts, std::span<const double> angles, int range,
    int threads, float* ranges, bool* hit = nullptr, const FleetNoise* noise = nullptr, std::uint32_t step = 0);
