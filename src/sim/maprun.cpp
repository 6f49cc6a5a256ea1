#include "sim/maprun.h"

#include "sim/animation.h"
#include "sim/cartcollision.h"
#include "sim/scanner.h"

RunRecord runOnMap(const QImage& map, const TrajectoryPoint* records, int count, int range, float stepDivisor)
{
    RunRecord run;
    const ScanPixels pixels = scanPixels(map);
    const int steps = animationStepCount(static_cast<float>(count), count);
    for (int step = 1; step <= steps; ++step) {
        const StepMove move = animationStepMove(records, step);
        const int firstHit = int(run.hits.size());
        const std::vector<SweepRay> rays =
            sweepPixels(pixels, move.cartX, move.cartY, move.heading, range, stepDivisor);
        for (const SweepRay& ray : rays) {
            if (ray.hit) {
                run.hits.push_back(*ray.hit);
            }
        }
        run.steps.push_back({step, move.cartX, move.cartY, move.heading, move.guideX, move.guideY,
                             static_cast<float>(move.heading), int(rays.size()), firstHit,
                             cartHitsWall(map, move.guideX, move.guideY)});
    }
    return run;
}
