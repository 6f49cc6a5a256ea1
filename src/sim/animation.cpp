#include "sim/animation.h"

#include "sim/geometry.h"

int animationStepCount(float length, int recordCount)
{
    int steps = 0;
    for (int end = kStepRecords; end < recordCount; end += kStepRecords) {
        if (steps > 0 && !(double(static_cast<float>(end)) < double(length))) {
            break;
        }
        ++steps;
    }
    return steps;
}

StepMove animationStepMove(const TrajectoryPoint* records, int step)
{
    const TrajectoryPoint& guide = records[(step - 1) * kStepRecords];
    const TrajectoryPoint& next = records[step * kStepRecords];
    StepMove move{truncToPixel(guide.x), truncToPixel(guide.y), truncToPixel(next.x), truncToPixel(next.y), 0.0};
    move.heading = GetBearing(move.guideX, move.guideY, move.cartX, move.cartY);
    return move;
}
