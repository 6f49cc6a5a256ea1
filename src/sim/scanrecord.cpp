#include "sim/scanrecord.h"

float g_scanFarthestDistance = 0.0f;
float g_scanFarthestAngle = 0.0f;

int g_obstacleCount = 0;
ObstaclePoint g_obstaclePoints[kObstacleCapacity] = {};
float g_obstacleValues[kObstacleCapacity] = {};
