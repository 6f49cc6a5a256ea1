// A zoom step on a large map from the "Fit to window" level, and after as many steps in: the zoom
// changes and the view is painted at once, in and out by turns. A map with a wall across it, in an
// 800 x 600 window.
#include "benchprogram.h"

#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_ZoomStepFromFit(benchmark::State& state)
{
    const int side = int(state.range(0));
    BenchProgram program(side, "[TAV]\nDialogs=0\n", QSize(800, 600), [](QImage& map) {
        QPainter(&map).fillRect(QRect(map.width() / 2, 0, 4, map.height()), QColor(255, 0, 0));
    });
    CTAV1View& view = program.view();
    const auto start = std::chrono::steady_clock::now();
    view.OnFitToWindow();
    view.widget()->repaint();
    const std::chrono::duration<double, std::milli> fit = std::chrono::steady_clock::now() - start;
    state.counters["fit_ms"] = fit.count();
    for (int step = 0; step < int(state.range(1)); ++step) {
        view.OnZoomIn();
    }
    view.widget()->repaint();
    state.counters["out"] = view.zoom().out;
    bool in = true;
    for (auto _ : state) {
        if (in) {
            view.OnZoomIn();
        } else {
            view.OnZoomOut();
        }
        view.widget()->repaint();
        in = !in;
    }
}

} // namespace

BENCHMARK(BM_ZoomStepFromFit)->Unit(benchmark::kMillisecond)->UseRealTime()->ArgsProduct({{16384}, {0, 1, 2, 3, 4, 5, 6, 7}});

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
