// The repaint of a 2000 x 2000 map with the start and end marks, restoring only what was drawn
// and drawing the whole map, against a plain QImage copy of the same size (the memory cost of
// the whole map).
#include "benchprogram.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>


namespace {

constexpr int kSide = 2000;

void BM_PlainImageCopy(benchmark::State& state)
{
    QImage source(kSide, kSide, QImage::Format_RGB32);
    source.fill(qRgb(200, 190, 170));
    QImage target(kSide, kSide, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
        benchmark::DoNotOptimize(target.constBits());
    }
}

void BM_MapRepaint(benchmark::State& state)
{
    BenchProgram program(kSide, "[TAV]\nDialogs=0\n");
    CTAV1View& view = program.view();
    view.setFullRepaints(state.range(0) != 0);
    view.m_markersShown = true;
    view.m_curveDlg.m_numbers = 1;
    for (auto _ : state) {
        view.OnPaint();
    }
}

} // namespace

BENCHMARK(BM_PlainImageCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMillisecond)->ArgName("full")->Arg(0)->Arg(1);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
