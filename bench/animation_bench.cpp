// The animation step on maps of growing size: the same walls and the same 127-step LINE run in
// a 1024 x 768 window, pause excluded. A step should cost what it draws, whatever the map. The
// same LINE driven by Follow path: its step should cost at most 1.5 times Animuj's.
#include "benchprogram.h"
#include "config/inisettings.h"
#include "sim/animation.h"

#include <QPainter>

#include <benchmark/benchmark.h>


namespace {

// Animuj (range 0 of the second argument) or Follow path (1) along the same LINE.
void BM_AnimationRun(benchmark::State& state)
{
    const int side = int(state.range(0));
    const bool follow = state.range(1) == 1;
    BenchProgram program(side, "[TAV]\nDialogs=0\n[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n", QSize(1024, 768),
                         [](QImage& map) {
                             QPainter painter(&map);
                             for (int i = 0; i < 8; ++i) {
                                 painter.fillRect(QRect(200 + 100 * i, 120 + 100 * i, 12, 60), Qt::red);
                             }
                         });
    CTAV1View& view = program.view();
    view.m_delayMs = 0;
    // Follow path drives past the walls, beside the line, without stopping for them.
    g_minDistance = 0;
    view.m_startEndDlg.m_startX = 100;
    view.m_startEndDlg.m_startY = 100;
    view.m_startEndDlg.m_endX = 1000;
    view.m_startEndDlg.m_endY = 1000;
    view.m_useDefaults = 1;
    view.OnLine();
    view.OnStartCiel();
    int steps = animationStepCount(view.GetStartEndPolar().length, view.m_trajectoryCount);
    for (auto _ : state) {
        if (follow) {
            view.OnFollowPath();
            steps = int(view.m_lastRun.steps.size());
        } else {
            view.OnAnimuj();
        }
    }
    state.counters["steps"] = steps;
    state.counters["per_step"] = benchmark::Counter(double(state.iterations()) * steps,
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_AnimationRun)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ArgsProduct({{1024, 4000, 8000}, {0, 1}})
    ->ArgNames({"side", "follow"});

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
