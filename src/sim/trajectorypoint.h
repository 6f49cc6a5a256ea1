#pragma once

// One sample of the reference trajectory, in view pixels.
struct TrajectoryPoint {
    double x;
    double y;
    double reserved; // never written; kept so records keep their 24-byte layout
};

// Records in the trajectory buffer.
constexpr int kTrajectoryCapacity = 64536;
