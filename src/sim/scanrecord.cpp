#include "sim/scanrecord.h"

#include "platform/clocale.h"

#include <algorithm>
#include <cstdio>

float g_scanFarthestDistance = 0.0f;
float g_scanFarthestAngle = 0.0f;

int g_obstacleCount = 0;
ObstaclePoint g_obstaclePoints[kObstacleCapacity] = {};
float g_obstacleValues[kObstacleCapacity] = {};

std::string obstacleLogText()
{
    const CLocaleScope cLocale;
    std::string text;
    // Two ints and the largest float at six decimals take 70 characters.
    char line[128];
    const int count = std::clamp(g_obstacleCount, 0, kObstacleCapacity);
    for (int i = 0; i < count; ++i) {
        text.append(line, std::size_t(std::snprintf(line, sizeof line, "%d %d %f\n", g_obstaclePoints[i].x,
                                                    g_obstaclePoints[i].y, double(g_obstacleValues[i]))));
    }
    return text + "---------------------------------\n";
}
