#include "sim/animation.h"

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
