#pragma once

#include <limits>
#include <string>

// How a cart moves under constant commands for a time dt, in map pixels (x right, y down) and
// radians clockwise on screen, as everywhere in the program. Seconds are whatever the caller's
// dt counts; speeds are pixels a dt unit.
//
// car (bicycle model): command speed v and steering angle delta; the turn rate is
//   v * tan(delta) / wheelbase, delta bounded by maxSteering.
// diff (differential drive): command speed v and turn rate omega (or wheel speeds, see
//   diffCommand); the wheel track only converts wheel speeds.
// Both move along the exact arc of the constant speed and turn rate, not an Euler step.

struct CartPose {
    double x = 0.0;
    double y = 0.0;
    double heading = 0.0;
};

enum class DriveKind { Car, Diff };

struct DriveLimits {
    double maxSpeed = std::numeric_limits<double>::infinity(); // |v|
    double maxTurnRate = std::numeric_limits<double>::infinity(); // |omega|
    double maxAcceleration = std::numeric_limits<double>::infinity(); // |dv| / dt
    double maxSteering = 0.6; // |delta|, car only
};

struct Drive {
    DriveKind kind = DriveKind::Car;
    double wheelbase = 10.0; // car
    double track = 10.0; // diff
    DriveLimits limits;
};

// Why a drive cannot move a cart (a wheelbase or track that is not a positive finite number),
// or empty.
std::string driveFault(const Drive& drive);

// The speed and turn rate a command gives over one step: command (v, delta) for a car or
// (v, omega) for diff, bounded, the speed changed from `speed` by at most the acceleration bound.
struct Motion {
    double speed;
    double turnRate;
    double steering; // the bounded steering angle of a car; 0 for diff
};
Motion motionOf(const Drive& drive, double first, double second, double speed, double dt);

// Diff drive's (v, omega) from its left and right wheel speeds: a right wheel faster turns left,
// against the clock on screen.
void diffCommand(double left, double right, double track, double& speed, double& turnRate);

// The pose after moving at `speed` with `turnRate` for `dt`: the exact arc.
CartPose moveAlongArc(const CartPose& pose, double speed, double turnRate, double dt);
