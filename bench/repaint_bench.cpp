// The repaint of a 2000 x 2000 map with the start and end marks, against a plain QImage copy
// of the same size (the memory cost alone).
#include "app/mainframe.h"
#include "app/tav1app.h"
#include "platform/scriptedui.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

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
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QImage map(kSide, kSide, QImage::Format_RGB32);
    map.fill(qRgb(200, 190, 170));
    map.save(QStringLiteral("mapa.bmp"), "BMP");
    QFile ini(QStringLiteral("tav.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[TAV]\nDialogs=0\n");
    ini.close();

    ScriptedUi ui;
    setUi(&ui);
    {
        auto frame = createMainFrame(QString());
        frame->show();
        QApplication::processEvents();
        CTAV1View& view = *frame->view();
        view.m_markersShown = true;
        view.m_curveDlg.m_numbers = 1;
        for (auto _ : state) {
            view.OnPaint();
        }
    }
    setUi(nullptr);
}

} // namespace

BENCHMARK(BM_PlainImageCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapRepaint)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
