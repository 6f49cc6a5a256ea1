// What the window shows after each drawing command, read back from the screen (the window
// system's copy), against what the canvas holds. Commands are chosen through the menus and
// points picked with double-clicks, as a person does; nothing repaints in between.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "dialogs/systemdlg.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace {

class ScreenTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\nDefault=1\n[Velmora]\nDialogs=0\nMessageBox=0\n"
                                    "[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n"));
    }

    // Chooses a menu item: `label` in the submenu `menu`, or the menu bar's own item when
    // `menu` is empty. No events run afterwards.
    void choose(const QString& menu, const QString& label)
    {
        for (QAction* top : frame().menuBar()->actions()) {
            const QList<QAction*> items = top->menu() != nullptr ? top->menu()->actions() : QList<QAction*>{top};
            if (top->menu() != nullptr && top->menu()->title() != menu) {
                continue;
            }
            for (QAction* item : items) {
                if (item->text() == label) {
                    ASSERT_TRUE(item->isEnabled()) << label.toStdString();
                    item->trigger();
                    return;
                }
            }
        }
        FAIL() << "no menu item " << label.toStdString();
    }
};

} // namespace

TEST_F(ScreenTest, EveryVehicleDrawingIsOnTheScreenWhenItsCommandReturns)
{
    ASSERT_TRUE(screenShowsCanvas());
    g_systemDlg.m_scannerTrace = 1;

    doubleClick(QPoint(150, 120));
    doubleClick(QPoint(420, 330));
    EXPECT_EQ(view().m_startEndDlg.m_endX, 420);

    QImage before = view().canvas();
    choose("&Trajectory", "&Sin <0;2PI>");
    EXPECT_NE(view().canvas(), before);
    EXPECT_TRUE(screenShowsCanvas()) << "after Sin <0;2PI>";

    before = view().canvas();
    choose("", "&StartCiel");
    EXPECT_NE(view().canvas(), before);
    EXPECT_TRUE(screenShowsCanvas()) << "after StartCiel";

    before = view().canvas();
    choose("", "S&canner");
    EXPECT_NE(view().canvas(), before);
    EXPECT_TRUE(screenShowsCanvas()) << "after Scanner";

    choose("&Trajectory", "LINE");
    EXPECT_TRUE(screenShowsCanvas()) << "after LINE";
}

TEST_F(ScreenTest, CurveToolDrawingsAndANewMapAreOnTheScreenAtOnce)
{
    QImage before = view().canvas();
    choose("&Velmora", "&SaveCircle");
    choose("&Velmora", "&Kresli");
    EXPECT_NE(view().canvas(), before);
    EXPECT_TRUE(screenShowsCanvas()) << "after Kresli";

    writeFile("samples.dat", "1 2\n3 4\n5 6\n7 8\n9 10\n");
    ui().setAnswers({"samples.dat"});
    choose("&Velmora", "&Algoritmus prirastkovy");
    EXPECT_TRUE(screenShowsCanvas()) << "after the integration run";

    QImage other(300, 200, QImage::Format_RGB32);
    other.fill(qRgb(40, 90, 200));
    ASSERT_TRUE(other.save(QDir(dir()).filePath("other.bmp"), "BMP"));
    view().m_openDialog = 1;
    ui().setAnswers({"other.bmp"});
    choose("&File", "&Open...\tCtrl+O");
    EXPECT_EQ(view().canvas().pixel(10, 10), qRgb(40, 90, 200));
    EXPECT_TRUE(screenShowsCanvas()) << "after File Open";
}

TEST_F(ScreenTest, AScrolledViewShowsTheScrolledPartOfTheCanvas)
{
    view().verticalScrollBar()->setValue(view().verticalScrollBar()->maximum());
    QApplication::processEvents();
    ASSERT_GT(view().visibleCanvasRect().top(), 0);
    view().m_startEndDlg = CStartEndDlg{500, 900, 100, 850};
    choose("", "&StartCiel");
    EXPECT_TRUE(screenShowsCanvas());
}
