// The range scanner per ray sample, against a plain loop that reads the same pixels from a
// precomputed list of their offsets (the memory cost alone); and one animation step.
#include "benchprogram.h"
#include "platform/pi.h"
#include "sim/geometry.h"
#include "sim/scanner.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kSide = 1024;
constexpr int kRays = 180;
constexpr int kRange = 500;
// Samples per sweep: every ray stays on the canvas from its centre.
constexpr int kSamples = kRays * (kRange - 1);

void sweepBenchmark(benchmark::State& state, bool trace)
{
    QImage canvas(kSide, kSide, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    Surface dc(canvas);
    for (auto _ : state) {
        if (trace) {
            // Each sweep paints a fresh map, as in the animation, where a repaint comes first.
            state.PauseTiming();
            canvas.fill(Qt::white);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(sweep(dc, kSide / 2, kSide / 2, 0.0, kRange, float(kRays), trace));
    }
    state.counters["ns_per_sample"] =
        benchmark::Counter(double(state.iterations()) * kSamples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SweepTraceOff(benchmark::State& state)
{
    sweepBenchmark(state, false);
}

void BM_SweepTraceOn(benchmark::State& state)
{
    sweepBenchmark(state, true);
}

// The offsets of the pixels a sweep from the centre reads, in its order.
std::vector<int> sweepOffsets()
{
    std::vector<int> offsets;
    offsets.reserve(kSamples);
    const double step = double(kPi) / kRays;
    double angle = -double(kHalfPi);
    for (int ray = 0; ray < kRays; ++ray, angle += step) {
        for (int i = 1; i < kRange; ++i) {
            const int x = truncToPixel(kSide / 2 + i * std::cos(angle));
            const int y = truncToPixel(kSide / 2 + i * std::sin(angle));
            offsets.push_back(y * kSide + x);
        }
    }
    return offsets;
}

void BM_PlainOffsetReads(benchmark::State& state)
{
    QImage canvas(kSide, kSide, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const std::vector<int> offsets = sweepOffsets();
    const auto* pixels = reinterpret_cast<const QRgb*>(canvas.constBits());
    for (auto _ : state) {
        int red = 0;
        for (int offset : offsets) {
            red += pixels[offset] == 0xFFFF0000u;
        }
        benchmark::DoNotOptimize(red);
    }
    state.counters["ns_per_sample"] =
        benchmark::Counter(double(state.iterations()) * kSamples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The same offsets read and then written, as a trace-on sweep must: the memory cost of the
// writes on this machine.
void BM_PlainOffsetReadWrite(benchmark::State& state)
{
    QImage canvas(kSide, kSide, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    const std::vector<int> offsets = sweepOffsets();
    auto* pixels = reinterpret_cast<QRgb*>(canvas.bits());
    for (auto _ : state) {
        int red = 0;
        for (int offset : offsets) {
            red += pixels[offset] == 0xFFFF0000u;
            pixels[offset] = 0xFF00FF00u;
        }
        benchmark::DoNotOptimize(red);
    }
    state.counters["ns_per_sample"] =
        benchmark::Counter(double(state.iterations()) * kSamples, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The sweep tav1.sweep makes in bench/python_bench.py, over the same pixels: 19 rays of range
// 150 (step divisor 19) from (200, 150) at heading 0.3 in a 400 x 300 room walled 4 pixels thick.
void BM_SweepOverMapPixels(benchmark::State& state)
{
    QImage room(400, 300, QImage::Format_RGB32);
    room.fill(qRgb(255, 0, 0));
    QPainter(&room).fillRect(4, 4, room.width() - 8, room.height() - 8, Qt::white);
    const ScanPixels pixels = scanPixels(room);
    for (auto _ : state) {
        benchmark::DoNotOptimize(sweepPixels(pixels, 200, 150, 0.3, 150, 19.0f));
    }
}

// One animation step (repaint, cart drawing, sweep of 10 rays of range 150, status text,
// showing the canvas), pause excluded, on a 1024 x 1024 map.
void BM_AnimationStep(benchmark::State& state)
{
    BenchProgram program(kSide, "[TAV]\nDialogs=0\n[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n");
    CTAV1View& view = program.view();
    view.m_markersShown = true;
    // Range 0: the whole step; 1: the repaint alone (map copy and showing it); 2: the cart
    // drawing, the sweep, the status text and showing them; 3: a two-pixel drawing and showing
    // it.
    const int part = int(state.range(0));
    for (auto _ : state) {
        if (part == 0 || part == 1) {
            view.RedrawWindow(false);
        }
        if (part == 0 || part == 2) {
            view.AnimationStep(500, 500, 510, 505);
        }
        if (part == 3) {
            Surface dc = view.GetDC();
            dc.SetPixel(500, 500, RGB(1, 2, 3));
            dc.SetPixel(660, 660, RGB(1, 2, 3));
        }
    }
}

} // namespace

BENCHMARK(BM_PlainOffsetReads);
BENCHMARK(BM_SweepTraceOff);
BENCHMARK(BM_SweepTraceOn);
BENCHMARK(BM_PlainOffsetReadWrite);
BENCHMARK(BM_SweepOverMapPixels)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AnimationStep)->Unit(benchmark::kMicrosecond)->DenseRange(0, 3);

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
