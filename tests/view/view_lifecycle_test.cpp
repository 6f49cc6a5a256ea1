#include "common/appfixture.h"

#include "app/mainframe.h"
#include "dialogs/systemdlg.h"
#include "platform/blockalloc.h"
#include "sim/scanrecord.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>

using namespace cmd;

namespace {

class ViewTest : public AppFixture {};

void* failingAllocator(std::size_t, std::size_t)
{
    errno = ENOMEM;
    return nullptr;
}

} // namespace

TEST_F(ViewTest, DefaultsAfterStartUp)
{
    g_obstacleCount = 7;
    g_scanFarthestDistance = 3.0f;
    ASSERT_TRUE(startProgram());
    const CTAV1View& v = view();
    EXPECT_EQ(v.m_delayMs, 10);
    EXPECT_EQ(v.m_amplitude, 40);
    EXPECT_EQ(v.m_pointCount, 24);
    EXPECT_EQ(v.m_curveDlg.m_valueCount, 101);
    EXPECT_EQ(v.m_curveDlg.m_samplingPeriod, 0.02f);
    EXPECT_EQ(v.m_curveDlg.m_curveStartX, 200);
    EXPECT_EQ(v.m_curveDlg.m_curveStartY, 200);
    EXPECT_EQ(v.m_curveDlg.m_radius10, 20);
    EXPECT_EQ(v.m_curveDlg.m_incrementalEllipse, 1);
    EXPECT_EQ(v.m_curveDlg.m_numbers, 0);
    EXPECT_EQ(v.m_vehicleDlg.m_wheelTrack, 0);
    EXPECT_EQ(v.m_trajectoryType, 0);
    EXPECT_FALSE(v.m_plotOnDraw || v.m_bitmapLoaded || v.m_startSet || v.m_endSet || v.m_markersShown);
    EXPECT_EQ(v.m_pCart->heading, 0.0);
    EXPECT_EQ(v.m_pTrajectory.get()[kTrajectoryCapacity - 1].x, 0.0);
    EXPECT_EQ(g_systemDlg.m_traces, 0);
    EXPECT_EQ(g_systemDlg.m_writeValues, 1);
    EXPECT_EQ(g_systemDlg.m_amplitude, 0);
    EXPECT_EQ(g_obstacleCount, 0);
    EXPECT_EQ(g_scanFarthestDistance, 0.0f);
    // The trace file is opened (and emptied) in the working directory.
    EXPECT_TRUE(QFile::exists("temp.txt"));
    EXPECT_NE(v.m_traceFile, nullptr);
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(ViewTest, TraceFileIsEmptiedAtStartUp)
{
    writeFile("temp.txt", "old trace\n");
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(readFile("temp.txt").isEmpty());
}

TEST_F(ViewTest, UnopenableTraceFileIsReportedAndTheConfigurationStillRead)
{
    writeFile("tav.ini", "[TAV]\nDialogs=0\nBitmapa=plan.bmp\n");
    QDir(dir()).mkdir("temp.txt");
    ASSERT_TRUE(startProgram());
    // The configured map is read too (and is missing here).
    ASSERT_EQ(captions(), QStringList({"Error open temp file !", "Error LoadDIBFromFile"}));
    EXPECT_EQ(ui().messages().front().text, QString("Error:%1").arg(EISDIR));
    EXPECT_EQ(view().m_traceFile, nullptr);
    EXPECT_EQ(view().m_openDialog, 0);
    EXPECT_EQ(view().m_mapFileName, "plan.bmp");
    EXPECT_EQ(view().m_amplitude, 40);
}

TEST_F(ViewTest, MissingBuffersAreReportedAndTheProgramDoesNotStart)
{
    setBlockAllocator(failingAllocator);
    EXPECT_FALSE(startProgram());
    ASSERT_EQ(captions(), QStringList({"Error Alloacte memory !"}));
    EXPECT_EQ(ui().messages().front().text, QString("Error:%1").arg(ENOMEM));
    EXPECT_FALSE(QFile::exists("temp.txt"));
}

TEST_F(ViewTest, PomocneMenuErasesTheCanvasAndRepaintsAtOnce)
{
    ASSERT_TRUE(startProgram());
    {
        Surface dc = view().GetDC();
        dc.SetPixel(10, 10, RGB(255, 0, 0));
        dc.SetPixel(700, 900, RGB(0, 0, 255));
    }
    EXPECT_EQ(view().canvas().pixel(10, 10), qRgb(255, 0, 0));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_EQ(view().canvas().pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(view().canvas().pixel(700, 900), qRgb(255, 255, 255));
}

TEST_F(ViewTest, CanvasCoversTheScrollSizeAndGrowsKeepingItsPixels)
{
    ASSERT_TRUE(startProgram());
    EXPECT_GE(view().canvas().width(), 768);
    EXPECT_GE(view().canvas().height(), 1008);
    {
        Surface dc = view().GetDC();
        dc.SetPixel(5, 6, RGB(1, 2, 3));
    }
    frame().resize(1600, 1300);
    QCoreApplication::processEvents();
    EXPECT_GE(view().canvas().width(), view().viewport()->width());
    EXPECT_GE(view().canvas().height(), view().viewport()->height());
    EXPECT_EQ(view().canvas().pixel(5, 6), qRgb(1, 2, 3));
}

TEST_F(ViewTest, FileNewKeepsTheViewAndItsState)
{
    ASSERT_TRUE(startProgram());
    CTAV1View* before = &view();
    view().m_amplitude = 77;
    ASSERT_TRUE(run(ID_FILE_NEW));
    EXPECT_EQ(&view(), before);
    EXPECT_EQ(view().m_amplitude, 77);
    EXPECT_EQ(frame().windowTitle(), "Untitled - TAV1");
}
