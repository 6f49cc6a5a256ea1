// DoModal as the commands use it, answered by the scripted Ui.
#include "dialogfixture.h"

#include "dialogs/curvedlg.h"
#include "dialogs/startenddlg.h"
#include "dialogs/systemdlg.h"
#include "dialogs/vehicledlg.h"

#include <QLineEdit>
#include <QTest>

namespace {

class DoModal : public DialogTest {};

} // namespace

TEST_F(DoModal, OkWithTheValuesAsTheyOpenedChangesNothing)
{
    CSystemDlg system;
    system.m_writeValues = 1;
    m_ui.setAnswers({});
    EXPECT_EQ(system.DoModal(), IDOK);
    EXPECT_EQ(system.m_amplitude, 0);
    EXPECT_EQ(system.m_delay, 0);
    EXPECT_EQ(system.m_writeValues, 1);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(DoModal, MembersKeepTheirValuesFromOneOpeningToTheNext)
{
    CSystemDlg system;
    m_ui.setAnswers({"amplitude=100", "delay=20", "scannerTrace=1"});
    ASSERT_EQ(system.DoModal(), IDOK);
    m_ui.setAnswers({"cancel"});
    EXPECT_EQ(system.DoModal(), IDCANCEL);
    EXPECT_EQ(system.m_amplitude, 100);
    EXPECT_EQ(system.m_delay, 20);
    EXPECT_EQ(system.m_scannerTrace, 1);

    const auto reopened = createDialog(system.form());
    EXPECT_EQ(qobject_cast<QLineEdit*>(reopened->control(1018))->text(), "100");
    EXPECT_EQ(qobject_cast<QLineEdit*>(reopened->control(1022))->text(), "20");
}

TEST_F(DoModal, EveryDialogReturnsOkWithItsValues)
{
    CStartEndDlg points;
    m_ui.setAnswers({"startX=10", "startY=20", "endX=30", "endY=40"});
    EXPECT_EQ(points.DoModal(), IDOK);
    EXPECT_EQ(points.m_startX, 10);
    EXPECT_EQ(points.m_startY, 20);
    EXPECT_EQ(points.m_endX, 30);
    EXPECT_EQ(points.m_endY, 40);

    CVehicleDlg vehicle;
    m_ui.setAnswers({"wheelTrack=250", "cartLength=400"});
    EXPECT_EQ(vehicle.DoModal(), IDOK);
    EXPECT_EQ(vehicle.m_wheelTrack, 250);
    EXPECT_EQ(vehicle.m_cartLength, 400);

    CCurveDlg curve;
    m_ui.setAnswers({"samplingPeriod=1e-8", "valueCount=2", "incrementalEllipse=1"});
    EXPECT_EQ(curve.DoModal(), IDOK);
    EXPECT_EQ(curve.m_samplingPeriod, 1e-8f);
    EXPECT_EQ(curve.m_valueCount, 2);
    EXPECT_EQ(curve.m_incrementalEllipse, 1);
    EXPECT_EQ(qobject_cast<QLineEdit*>(createDialog(curve.form())->control(1029))->text(), "1e-08");
    EXPECT_TRUE(m_ui.scriptError().isEmpty());
}

TEST_F(DoModal, RefusedOkThenCancelKeepsOnlyTheEarlierRows)
{
    CCurveDlg curve;
    curve.m_samplingPeriod = 0.02f;
    curve.m_incrementalEllipse = 1;
    curve.m_valueCount = 101;
    curve.m_curveStartX = 200;
    curve.m_curveStartY = 200;
    curve.m_radius10 = 20;
    m_ui.setAnswers({"samplingPeriod=0.25", "incrementalEllipse=0", "valueCount=6000", "radius10=30",
                     "numbers=1", "preciseIntegration=1"});
    EXPECT_EQ(curve.DoModal(), IDCANCEL);
    ASSERT_EQ(m_ui.messages().size(), 1u);
    EXPECT_EQ(m_ui.messages()[0].caption, "TAV1");
    EXPECT_EQ(m_ui.messages()[0].text, "Please enter an integer between 2 and 5000.");
    EXPECT_EQ(curve.m_samplingPeriod, 0.25f);
    EXPECT_EQ(curve.m_incrementalEllipse, 0);
    expectCurveMembersAfterValueCountKept(curve);
}

TEST_F(DoModal, CancelAndUnknownFieldsChangeNothing)
{
    CVehicleDlg vehicle;
    vehicle.m_wheelTrack = 7;
    m_ui.setAnswers({"cancel"});
    EXPECT_EQ(vehicle.DoModal(), IDCANCEL);
    m_ui.setAnswers({"cartLength=9", "speed=3"});
    EXPECT_EQ(vehicle.DoModal(), IDCANCEL);
    EXPECT_FALSE(m_ui.scriptError().isEmpty());
    EXPECT_EQ(vehicle.m_wheelTrack, 7);
    EXPECT_EQ(vehicle.m_cartLength, 0);
    EXPECT_TRUE(m_ui.messages().empty());
}

TEST_F(DoModal, OpensOverTheActiveWindow)
{
    QWidget mainWindow;
    mainWindow.show();
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
    CVehicleDlg vehicle;
    m_ui.setAnswers({"cancel"});
    EXPECT_EQ(vehicle.DoModal(), IDCANCEL);
    EXPECT_EQ(m_ui.parents(), std::vector<QWidget*>{&mainWindow});
}
