#pragma once

#include "common/qtprinters.h"
#include "batch/scriptedui.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class CMainFrame;
class CTAV1View;

// A fresh program for each test: a new working directory, the program-wide objects as at
// process start, the scripted Ui answering every box, and (after startProgram) the main frame
// with its view.
class AppFixture : public ::testing::Test {
protected:
    AppFixture();
    ~AppFixture() override;
    void SetUp() override;
    void TearDown() override;

    // Builds the main frame (and so the view, which reads ./tav.ini). Returns false when the
    // program could not start.
    bool startProgram();
    // Puts the program-wide objects back as a new process has them.
    static void resetProcessState();
    // Writes an 800 x 600 white "mapa.bmp" and the given tav.ini (which should load the map
    // without a dialog), then starts the program.
    bool startOnWhiteMap(const QByteArray& ini);

    // Starts another program as the desktop does (placed as remembered, shown), with FILE as
    // its command line's file; the first program, if any, stays as it is. Null when it could
    // not start.
    std::unique_ptr<CMainFrame> startAnother(const QString& file = QString());

    CMainFrame& frame() { return *m_frame; }
    void closeProgram();
    CTAV1View& view();
    ScriptedUi& ui() { return m_ui; }
    QString dir() const { return m_dir.path(); }

    // Runs a command as its menu item does; false when the item is disabled.
    bool run(int commandId);
    // A left double-click on the canvas at a point in canvas pixels, as the window system sends it.
    void doubleClick(QPoint canvasPoint);
    // Whether the screen (the window system's copy of the window) shows, in the view's visible
    // area, exactly the pixels the canvas holds there; names the first that differs.
    ::testing::AssertionResult screenShowsCanvas();
    void writeFile(const QString& name, const QByteArray& content);
    QByteArray readFile(const QString& name) const;
    // The captions of the boxes shown so far, in order.
    QStringList captions() const;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    ScriptedUi m_ui;
    std::unique_ptr<CMainFrame> m_frame;
};
