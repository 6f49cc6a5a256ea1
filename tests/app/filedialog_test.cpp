// The file dialogs of the program's own file commands, as the desktop shows them: captioned after
// their command, with a named filter.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "platform/qtui.h"
#include "view/commandids.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>

namespace {

class FileDialogTest : public AppFixture {};

} // namespace

TEST_F(FileDialogTest, TheProgramsOwnFileCommandsCaptionTheirDialogAndNameTheFilter)
{
    ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\n[DefaultValues]\nStartPossitionX=100\nStartPossitionY=100\n"
                                "EndPossitionX=300\nEndPossitionY=100\n"));
    // A path to save.
    ASSERT_TRUE(run(cmd::ID_LINE));
    const struct {
        const char* menu;
        const char* item;
        const char* caption;
        const char* filter;
    } cases[] = {
        {"&File", "Export run…", "Export run", "CSV files (*.csv)"},
        {"&File", "Import occupancy map…", "Import occupancy map", "Occupancy maps (*.yaml *.yml *.pgm *.png)"},
        {"&Trajectory", "Load path…", "Load path", "CSV files (*.csv)"},
        {"&Trajectory", "Save path…", "Save path", "CSV files (*.csv)"},
    };
    QtUi desktop;
    setUi(&desktop);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* item = nullptr;
        for (QAction* action : frame().submenu(c.menu)->actions()) {
            item = action->text() == c.item ? action : item;
        }
        ASSERT_NE(item, nullptr);
        QString caption;
        QStringList filters;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                caption = dialog->windowTitle();
                filters = dialog->nameFilters();
                dialog->reject();
            }
        });
        item->trigger();
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(filters.value(0), c.filter);
    }
    setUi(&ui());
}
