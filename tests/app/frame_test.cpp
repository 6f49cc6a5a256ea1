#include "common/appfixture.h"

#include "app/mainframe.h"
#include "app/messagepane.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using namespace cmd;

namespace {

class FrameTest : public AppFixture {};

// "label=id" for each item, "-" for a separator, "Menu{...}" for a submenu.
QStringList describeMenuBar(QMenuBar* bar)
{
    QStringList items;
    for (QAction* top : bar->actions()) {
        if (QMenu* menu = top->menu()) {
            QStringList inner;
            for (QAction* item : menu->actions()) {
                if (item->isSeparator()) {
                    inner << "-";
                } else if (item->isVisible()) {
                    inner << QString("%1=%2").arg(item->text()).arg(item->data().toInt());
                }
            }
            items << QString("%1{%2}").arg(menu->title(), inner.join("|"));
        } else {
            items << QString("%1=%2").arg(top->text()).arg(top->data().toInt());
        }
    }
    return items;
}

} // namespace

TEST_F(FrameTest, MenuBarHasTheProgramsMenuInOrder)
{
    ASSERT_TRUE(startProgram());
    const QStringList expected = {
        "&File{&Settings Velmora=32783|Settings vehicle=32785|Settings=32791|&New\tCtrl+N=57600|"
        "&Open...\tCtrl+O=57601|Import occupancy map…=32806|&Save\tCtrl+S=57603|Save &As...=57604|Export run…=32804|-|&Print...\tCtrl+P=57607|"
        "Print Pre&view=57609|P&rint Setup...=57606|-|Recent File=57616|-|E&xit=57665}",
        "&Edit{&Undo\tCtrl+Z=57643|-|Cu&t\tCtrl+X=57635|&Copy\tCtrl+C=57634|&Paste\tCtrl+V=57637}",
        "&View{&Toolbar=59392|&Status Bar=59393|Scanner=32805|-|Zoom &In\tCtrl++=32800|Zoom &Out\tCtrl+-=32801|"
        "&Actual Size\tCtrl+0=32802|Fit to window=32803}",
        "&Trajectory{&Sin <0;2PI>=32775|Sin <0;PI>=32772|LINE=32773|&Amplituda=32790|-|Load path…=32807|Save path…=32808|Follow path=32809}",
        "&Gooooo=32776",
        "&StartCiel=32778",
        "&Help{&About TAV1...=57664}",
        "S&canner=32779",
        "&Velmora{&LoadData=32780|&SaveCircle=32781|&Kresli=32782|&Algoritmus prirastkovy=32793}",
        "Pomocne menu=32784",
        "&WriteIni=32786",
        "&INI{Ini file &Read=32787|&Clear 'StartEnd' point=32792}",
        "Animuj=32789",
    };
    EXPECT_EQ(describeMenuBar(frame().menuBar()), expected);
}

TEST_F(FrameTest, EditCommandsAreDisabledAndAcceleratorsAreBound)
{
    ASSERT_TRUE(startProgram());
    for (int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        EXPECT_FALSE(frame().action(id)->isEnabled()) << id;
        EXPECT_FALSE(run(id));
    }
    EXPECT_FALSE(frame().action(ID_FILE_MRU_FILE1)->isEnabled());
    for (int id : {ID_FILE_NEW, ID_FILE_SAVE_AS, ID_APP_ABOUT, ID_APP_EXIT, ID_POMOCNE_MENU,
                   ID_WRITE_INI, ID_READ_INI, ID_CLEAR_START_END}) {
        EXPECT_TRUE(frame().action(id)->isEnabled()) << id;
    }
    const auto keys = [this](int id) { return frame().action(id)->shortcuts(); };
    EXPECT_EQ(keys(ID_FILE_NEW), QList<QKeySequence>({QKeySequence("Ctrl+N")}));
    EXPECT_EQ(keys(ID_FILE_OPEN), QList<QKeySequence>({QKeySequence("Ctrl+O")}));
    EXPECT_EQ(keys(ID_FILE_SAVE), QList<QKeySequence>({QKeySequence("Ctrl+S")}));
    EXPECT_EQ(keys(ID_FILE_PRINT), QList<QKeySequence>({QKeySequence("Ctrl+P")}));
    EXPECT_EQ(keys(ID_EDIT_UNDO), QList<QKeySequence>({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}));
    EXPECT_EQ(keys(ID_EDIT_CUT), QList<QKeySequence>({QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}));
    EXPECT_EQ(keys(ID_EDIT_COPY), QList<QKeySequence>({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}));
    EXPECT_EQ(keys(ID_EDIT_PASTE), QList<QKeySequence>({QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}));
}

TEST_F(FrameTest, ToolbarButtonsInOrder)
{
    ASSERT_TRUE(startProgram());
    auto* toolBar = frame().findChild<QToolBar*>();
    ASSERT_NE(toolBar, nullptr);
    QStringList buttons;
    for (QAction* action : toolBar->actions()) {
        buttons << (action->isSeparator() ? QString("-") : QString::number(action->data().toInt()));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull());
        }
    }
    EXPECT_EQ(buttons.join(" "), "57600 57601 57603 - 57635 57634 57637 - 57607 - 57664");
}

TEST_F(FrameTest, StatusBarShowsReadyAndTogglesHideBars)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(frame().paneText(), "Ready");
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        EXPECT_NE(frame().statusBar()->findChild<QWidget*>(indicator), nullptr);
    }
    auto* toolBar = frame().findChild<QToolBar*>();
    ASSERT_TRUE(run(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(toolBar->isVisible());
    EXPECT_FALSE(frame().action(ID_VIEW_TOOLBAR)->isChecked());
    ASSERT_TRUE(run(ID_VIEW_STATUS_BAR));
    EXPECT_FALSE(frame().statusBar()->isVisible());
    ASSERT_TRUE(run(ID_VIEW_STATUS_BAR));
    EXPECT_TRUE(frame().statusBar()->isVisible());
}

TEST_F(FrameTest, MessagePaneAlignsTabSeparatedParts)
{
    MessagePane pane;
    pane.resize(600, 20);
    pane.setText("LLLL\tCCCC\tRRRR");
    QImage image(pane.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    pane.render(&image);
    // Dark pixels near the left edge, around the centre and near the right edge, none between.
    const auto inkIn = [&image](int from, int to) {
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(0, 60));
    EXPECT_TRUE(inkIn(270, 330));
    EXPECT_TRUE(inkIn(540, 600));
    EXPECT_FALSE(inkIn(120, 220));
    EXPECT_FALSE(inkIn(380, 480));
}

TEST_F(FrameTest, MessagePanePartsTooWideForThePaneKeepApart)
{
    // The columns with ink of a text in a pane where the centred part would start inside the
    // left one, as the pointer's text and the settings do when the pointer in metres takes room.
    const auto inkColumns = [](const QString& text) {
        MessagePane pane;
        pane.resize(250, 20);
        pane.setText(text);
        QImage image(pane.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        pane.render(&image);
        int columns = 0;
        for (int x = 0; x < image.width(); ++x) {
            bool ink = false;
            for (int y = 0; y < image.height(); ++y) {
                ink = ink || qGray(image.pixel(x, y)) < 128;
            }
            columns += ink ? 1 : 0;
        }
        return columns;
    };
    const int left = inkColumns("Mouse:[324 305]");
    const int centre = inkColumns("\tHodnot:101");
    EXPECT_GT(left, 40);
    EXPECT_GT(centre, 40);
    EXPECT_EQ(inkColumns("Mouse:[324 305]\tHodnot:101"), left + centre);
}

TEST_F(FrameTest, SaveAsWritesAnEmptyFileAndKeepsFourRecentFiles)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(frame().windowTitle(), "Untitled - TAV1");
    for (const char* name : {"a.tav", "b.tav", "c.tav", "d.tav", "e.tav"}) {
        writeFile(name, "not empty");
        ui().setAnswers({name});
        ASSERT_TRUE(run(ID_FILE_SAVE_AS));
        EXPECT_TRUE(readFile(name).isEmpty()) << name;
    }
    EXPECT_EQ(frame().windowTitle(), "e.tav - TAV1");
    const auto recentNames = [this] {
        QStringList recent;
        for (QAction* item : frame().submenu("&File")->actions()) {
            const int id = item->data().toInt();
            if (item->isVisible() && id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + 4) {
                recent << item->text().section('/', -1);
            }
        }
        return recent;
    };
    EXPECT_EQ(recentNames(), QStringList({"e.tav", "d.tav", "c.tav", "b.tav"}));
    EXPECT_FALSE(frame().action(ID_FILE_MRU_FILE1)->isVisible());

    // Opening a recent file loads nothing into the view; it moves to the top of the list.
    view().m_amplitude = 55;
    ASSERT_TRUE(frame().openDocument(QFile::encodeName(dir() + "/c.tav").toStdString()));
    EXPECT_EQ(frame().windowTitle(), "c.tav - TAV1");
    EXPECT_EQ(view().m_amplitude, 55);
    EXPECT_EQ(recentNames(), QStringList({"c.tav", "e.tav", "d.tav", "b.tav"}));
}

TEST_F(FrameTest, CancelledSaveAsWritesNothing)
{
    ASSERT_TRUE(startProgram());
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(run(ID_FILE_SAVE_AS));
    EXPECT_EQ(frame().windowTitle(), "Untitled - TAV1");
    EXPECT_TRUE(ui().messages().empty());
}
