#include "sim/kinematics.h"

#include <algorithm>
#include <cmath>

std::string driveFault(const Drive& drive)
{
    const bool car = drive.kind == DriveKind::Car;
    const double size = car ? drive.wheelbase : drive.track;
    if (!(size > 0.0) || !std::isfinite(size)) {
        return std::string(car ? "the wheelbase (the cart's length)" : "the wheel track")
            + " must be a positive number of pixels, not " + std::to_string(size);
    }
    return {};
}

Motion motionOf(const Drive& drive, double first, double second, double speed, double dt)
{
    const DriveLimits& limits = drive.limits;
    double v = std::clamp(first, -limits.maxSpeed, limits.maxSpeed);
    const double change = limits.maxAcceleration * std::max(dt, 0.0);
    v = std::clamp(v, speed - change, speed + change);
    Motion motion { v, 0.0, 0.0 };
    if (drive.kind == DriveKind::Car) {
        motion.steering = std::clamp(second, -limits.maxSteering, limits.maxSteering);
        motion.turnRate = v * std::tan(motion.steering) / drive.wheelbase;
    } else {
        motion.turnRate = second;
    }
    motion.turnRate = std::clamp(motion.turnRate, -limits.maxTurnRate, limits.maxTurnRate);
    return motion;
}

void diffCommand(double left, double right, double track, double& speed, double& turnRate)
{
    speed = (left + right) / 2.0;
    turnRate = (left - right) / track;
}

CartPose moveAlongArc(const CartPose& pose, double speed, double turnRate, double dt)
{
    // sin(a + t) - sin(a) = 2 cos(a + t/2) sin(t/2), and alike for the cosine: the chord of the
    // arc, without the cancellation of the plain formula when the turn is small.
    const double turn = turnRate * dt;
    const double half = turn / 2.0;
    const double chord = speed * dt * (half == 0.0 ? 1.0 : std::sin(half) / half);
    const double middle = pose.heading + half;
    return { pose.x + chord * std::cos(middle), pose.y + chord * std::sin(middle), pose.heading + turn };
}
