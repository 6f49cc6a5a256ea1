#include "common/appfixture.h"

#include "app/mainframe.h"
#include "view/commandids.h"
#include "view/tav1view.h"

using namespace cmd;

namespace {
class PointerTest : public AppFixture {};
} // namespace

TEST_F(PointerTest, MouseMoveWritesPositionAndCurveSettings)
{
    ASSERT_TRUE(startProgram());
    view().OnMouseMove(QPoint(100, 200));
    EXPECT_EQ(frame().paneText(),
              "Mouse:[100 200]\tPerioda vzorkovania:0.02  Hodnot:101 StartX:200 StartY:200 \t File:");
    view().m_curveDlg.m_valueCount = 5;
    view().m_dataFileName = std::string(75, 'd');
    view().OnMouseMove(QPoint(-3, 7));
    EXPECT_EQ(frame().paneText(), "Mouse:[-3 7]\tPerioda vzorkovania:0.02  Hodnot:05 StartX:200 StartY:200 \t File:"
                                      + QString(75, 'd'));
}

TEST_F(PointerTest, DoubleClicksPickStartThenEndThenNothing)
{
    ASSERT_TRUE(startProgram());
    view().OnLButtonDblClk(QPoint(10, 20));
    EXPECT_EQ(frame().paneText(), "Start:[10 20]");
    view().OnLButtonDblClk(QPoint(30, 40));
    EXPECT_EQ(frame().paneText(), "End:[30 40]");
    view().OnLButtonDblClk(QPoint(50, 60));
    EXPECT_EQ(frame().paneText(), "End:[30 40]");
    EXPECT_EQ(view().m_startEndDlg.m_startX, 10);
    EXPECT_EQ(view().m_startEndDlg.m_startY, 20);
    EXPECT_EQ(view().m_startEndDlg.m_endX, 30);
    EXPECT_EQ(view().m_startEndDlg.m_endY, 40);

    // Clearing lets both be picked again; the coordinates keep their values meanwhile.
    ASSERT_TRUE(run(ID_CLEAR_START_END));
    EXPECT_EQ(frame().paneText(), "End:[30 40]");
    view().OnLButtonDblClk(QPoint(5, 6));
    EXPECT_EQ(view().m_startEndDlg.m_startX, 5);
    EXPECT_EQ(view().m_startEndDlg.m_endX, 30);
    view().OnLButtonDblClk(QPoint(7, 8));
    EXPECT_EQ(view().m_startEndDlg.m_endX, 7);
    EXPECT_EQ(view().m_startEndDlg.m_endY, 8);
}
