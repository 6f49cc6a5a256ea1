#pragma once

#include <string>

// Program-wide results of the range scanner and the obstacle log written by File Save.

struct ObstaclePoint {
    int x;
    int y;
};

constexpr int kObstacleCapacity = 500;

extern float g_scanFarthestDistance; // largest hit distance seen, pixels
extern float g_scanFarthestAngle;    // bearing of the ray that saw it, radians

extern int g_obstacleCount;
extern ObstaclePoint g_obstaclePoints[kObstacleCapacity];
extern float g_obstacleValues[kObstacleCapacity];

// The obstacle log as File Save writes it: the first g_obstacleCount records as lines
// "%d %d %f\n" in the C locale, then a closing line of 33 hyphens.
std::string obstacleLogText();
