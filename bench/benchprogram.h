#pragma once

// The program as a benchmark drives it: a fresh working folder holding a plain square map (with
// whatever `draw` adds) and a tav.ini, the main frame built on the scripted Ui, shown offscreen
// in a window just larger than the map or of the size given.

#include "app/mainframe.h"
#include "app/tav1app.h"
#include "batch/scriptedui.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <functional>
#include <memory>

class BenchProgram {
public:
    BenchProgram(int mapSide, const QByteArray& ini, QSize window = QSize(),
                 const std::function<void(QImage&)>& draw = {})
    {
        QDir::setCurrent(m_dir.path());
        QImage map(mapSide, mapSide, QImage::Format_RGB32);
        map.fill(qRgb(235, 230, 215));
        if (draw) {
            draw(map);
        }
        map.save(QStringLiteral("mapa.bmp"), "BMP");
        QFile file(QStringLiteral("tav.ini"));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(ini);
        }
        file.close();
        setUi(&m_ui);
        m_frame = createMainFrame(std::string());
        m_frame->resize(window.isValid() ? window : QSize(mapSide + 80, mapSide + 80));
        m_frame->show();
        QApplication::processEvents();
    }
    ~BenchProgram()
    {
        m_frame.reset();
        setUi(nullptr);
    }
    CTAV1View& view() { return *m_frame->view(); }

private:
    QTemporaryDir m_dir;
    ScriptedUi m_ui;
    std::unique_ptr<CMainFrame> m_frame;
};

// The main() of a benchmark program that builds the program's windows: offscreen, as the tests.
inline int runBenchmarks(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
