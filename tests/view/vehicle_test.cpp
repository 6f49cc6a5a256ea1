#include "common/appfixture.h"

#include "app/mainframe.h"
#include "dialogs/systemdlg.h"
#include "sim/scanrecord.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QDir>

#include <cmath>

using namespace cmd;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

class VehicleTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // No map dialog at start-up: the configured map is a plain white floor.
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\n[Velmora]\nDialogs=0\n"));
        view().m_delayMs = 0;
    }
    void setPoints(int sx, int sy, int ex, int ey)
    {
        view().m_startEndDlg = CStartEndDlg{ex, ey, sx, sy};
    }
    QRgb pixel(int x, int y) { return view().canvas().pixel(x, y); }
    const TrajectoryPoint& record(int i) { return view().m_pTrajectory.get()[i]; }
};

} // namespace

TEST_F(VehicleTest, StartCielWithoutDialogMarksTheCurrentPoints)
{
    setPoints(300, 300, 560, 500);
    ASSERT_TRUE(run(ID_START_CIEL));
    EXPECT_TRUE(view().m_markersShown);
    EXPECT_EQ(view().m_cartX, 300);
    EXPECT_EQ(view().m_targetY, 500);
    // The "S" and "E" boxes cover the marks' top-left parts; the square's outline ends at 569.
    EXPECT_EQ(pixel(300, 300), kWhite);
    EXPECT_EQ(pixel(569, 509), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(570, 509), kWhite);
    EXPECT_EQ(pixel(569, 510), kWhite);
}

TEST_F(VehicleTest, StartCielDialogTakesThePointsOrChangesNothing)
{
    view().m_useDefaults = 0;
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(run(ID_START_CIEL));
    EXPECT_FALSE(view().m_markersShown);
    EXPECT_EQ(pixel(569, 509), kWhite);

    ui().setAnswers({"startX=300", "startY=300", "endX=560", "endY=500"});
    ASSERT_TRUE(run(ID_START_CIEL));
    EXPECT_TRUE(view().m_markersShown);
    EXPECT_EQ(view().m_startEndDlg.m_startX, 300);
    EXPECT_EQ(view().m_cartX, 300);
    EXPECT_EQ(view().m_startEndDlg.m_endX, 560);
    EXPECT_EQ(view().m_targetX, 560);
    EXPECT_EQ(view().m_targetY, 500);
    EXPECT_EQ(pixel(569, 509), qRgb(0, 0, 0));

    // The dialog opens with zeros each time, not with the current points.
    ui().setAnswers({});
    ASSERT_TRUE(run(ID_START_CIEL));
    EXPECT_EQ(view().m_startEndDlg.m_startX, 0);
    EXPECT_EQ(view().m_targetX, 0);
}

TEST_F(VehicleTest, PolarAndGuidanceText)
{
    setPoints(300, 300, 560, 500);
    const CTAV1View::Polar polar = view().GetStartEndPolar();
    EXPECT_NEAR(polar.angle, 0.6557, 1e-4);
    EXPECT_NEAR(polar.length, 328.02, 1e-2);

    view().ShowGuidanceStatus(100, 60, 0.7853982f);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[100,60], Uhol natocenia kormidla:0.785 [rad]");
    view().ShowGuidanceStatus(1, 2, -1.5707964f);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[1,2], Uhol natocenia kormidla:-1.571 [rad]");
    g_systemDlg.m_writeValues = 0;
    view().ShowGuidanceStatus(3, 4, 0.0f);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[1,2], Uhol natocenia kormidla:-1.571 [rad]");
}

TEST_F(VehicleTest, AnimujWithoutAPathShowsOnlyTheBox)
{
    ASSERT_TRUE(run(ID_ANIMUJ));
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].caption, "Error");
    EXPECT_EQ(ui().messages()[0].text, "Nebola zvolena cesta !");
    EXPECT_EQ(ui().beeps(), 0);
    EXPECT_EQ(view().m_cartX, 0);
}

TEST_F(VehicleTest, AnimujRunsThirtyTwoStepsOverTheDefaultChord)
{
    setPoints(300, 300, 560, 500);
    ASSERT_TRUE(run(ID_SIN_2PI));
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(ui().beeps(), 1);
    // The last step joined record 310 to record 320.
    EXPECT_EQ(view().m_cartX, int(record(320).x));
    EXPECT_EQ(view().m_cartY, int(record(320).y));
    EXPECT_TRUE(frame().paneText().startsWith(
        QString("Vodidlo:[%1,%2], ").arg(int(record(310).x)).arg(int(record(310).y))));
    // The last step's cart circle (red hatch) and its grey centre dot stay on screen.
    EXPECT_EQ(pixel(int(record(310).x), int(record(310).y)), qRgb(128, 128, 128));
}

TEST_F(VehicleTest, AnimujAlongALineEndsTenRecordsBeforeTheEnd)
{
    setPoints(100, 100, 200, 100);
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(view().m_cartX, 190);
    EXPECT_EQ(view().m_cartY, 100);
    EXPECT_EQ(view().m_pCart->heading, 0.0);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[180,100], Uhol natocenia kormidla:0.000 [rad]");
    // A green body line from the last guide point towards the cart.
    EXPECT_EQ(pixel(185, 100), qRgb(0, 255, 0));
}

TEST_F(VehicleTest, AnimujNeverMovesTheCartOntoRecordsTheCurrentPathDidNotStore)
{
    // A path of 100 records, then start and end farther apart: the run ends with the step that
    // reaches record 90 instead of going on into records no generator wrote (zeros).
    setPoints(100, 100, 200, 100);
    ASSERT_TRUE(run(ID_LINE));
    setPoints(100, 100, 400, 100);
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(view().m_cartX, 190);
    EXPECT_EQ(view().m_cartY, 100);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[180,100], Uhol natocenia kormidla:0.000 [rad]");
    EXPECT_EQ(ui().beeps(), 1);

    // A chord of 15 pixels stores 15 records: one step, to record 10.
    setPoints(50, 50, 65, 50);
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(view().m_cartX, 60);

    // A chord of 5 pixels stores 5 records: record 10 is the longer line's, so no step runs and
    // the cart stays where it was.
    setPoints(50, 70, 55, 70);
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(view().m_cartX, 60);
    EXPECT_EQ(view().m_cartY, 50);
    EXPECT_EQ(ui().beeps(), 3);
}

TEST_F(VehicleTest, RepaintAndGoooooRedrawTheStoredPath)
{
    setPoints(100, 100, 200, 100);
    ASSERT_TRUE(run(ID_LINE));
    EXPECT_EQ(pixel(150, 100), qRgb(0, 128, 128));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_EQ(pixel(150, 100), kWhite);
    ASSERT_TRUE(run(ID_GOOOOO));
    EXPECT_EQ(pixel(150, 100), qRgb(0, 128, 128));
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_EQ(pixel(150, 100), qRgb(0, 128, 128));
}

TEST_F(VehicleTest, ScannerTraceAndTheObstacleLogFile)
{
    g_systemDlg.m_scannerTrace = 1;
    view().m_scannerRange = 50;
    view().m_scanStepDivisor = 1.0f;
    view().m_cartX = 100;
    view().m_cartY = 100;
    {
        Surface dc = view().GetDC();
        dc.SetPixel(130, 99, RGB(255, 0, 0)); // nothing: the one ray goes up column 99
        dc.SetPixel(99, 80, RGB(255, 0, 0));
    }
    ASSERT_TRUE(run(ID_SCANNER));
    EXPECT_EQ(pixel(99, 81), qRgb(0, 255, 0));
    EXPECT_EQ(pixel(99, 79), kWhite);
    EXPECT_EQ(g_scanFarthestDistance, float(std::sqrt(401.0)));
    ASSERT_TRUE(run(ID_FILE_SAVE));
    EXPECT_EQ(readFile("prek.txt"), "99 80 20.024984\n---------------------------------\n");

    g_obstacleCount = 0;
    ASSERT_TRUE(run(ID_FILE_SAVE));
    EXPECT_EQ(readFile("prek.txt"), "---------------------------------\n");

    view().m_curveDialogs = 1;
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(run(ID_FILE_SAVE));
    QDir(dir()).mkdir("log.txt");
    ui().setAnswers({"log.txt"});
    ASSERT_TRUE(run(ID_FILE_SAVE));
    ASSERT_EQ(captions(), QStringList({"Error fopen OnFileSave"}));
    EXPECT_EQ(ui().messages()[0].text, QString("Error:%1").arg(EISDIR));
}
