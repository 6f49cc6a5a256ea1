// A run of "Animuj" as the person at the window controls it: Esc ends it, a close request ends
// it and closes the window, other input is ignored while it lasts, and the status bar shows
// its progress.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>

// The window system's queue of input, which the run's pauses must empty: QTest delivers its keys
// past it. Qt's platform interface has no header in qt6-base-dev (its private package pulls in
// systemd and glib), so the one exported entry used here is declared as Qt defines it.
class Q_GUI_EXPORT QWindowSystemInterface {
public:
    struct AsynchronousDelivery {};
    template <typename Delivery>
    static bool handleKeyEvent(QWindow* window, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                               const QString& text = QString(), bool autorep = false, ushort count = 1);
};

using namespace cmd;

namespace {

class RunControlTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\nDefault=1\n"));
        // File Open asks for the map from now on (and nothing answers).
        view().m_openDialog = 1;
        // A line of 500 records: 49 steps of 200 ms each when nothing ends the run.
        view().m_startEndDlg = CStartEndDlg{600, 100, 100, 100};
        ASSERT_TRUE(run(ID_LINE));
        view().m_delayMs = 200;
    }

    // Starts "Animuj" from its menu item; `during` runs once the run takes events, in the
    // pause of its first step.
    void animate(const std::function<void()>& during)
    {
        QTimer::singleShot(0, &frame(), during);
        frame().action(ID_ANIMUJ)->trigger();
    }

    QProgressBar* progress() { return frame().statusBar()->findChild<QProgressBar*>(); }
};

} // namespace

TEST_F(RunControlTest, EscEndsTheRunAfterItsStepAndOtherInputIsIgnored)
{
    ASSERT_NE(progress(), nullptr);
    EXPECT_FALSE(progress()->isVisible());
    QWindow* window = frame().windowHandle();
    QWidget* canvas = view().widget();
    bool progressShown = false;
    int done = 0;
    int total = 0;
    animate([&] {
        progressShown = progress()->isVisible();
        done = progress()->value();
        total = progress()->maximum();
        // A double-click and a shortcut (File Open, which would ask for a map) are ignored.
        const QPoint pick = canvas->mapTo(canvas->window(), QPoint(300, 200));
        QTest::mouseDClick(window, Qt::LeftButton, {}, pick);
        QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
        // Esc as a person presses it: queued by the window system, taken by the run's own pause.
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window, type, Qt::Key_Escape, Qt::NoModifier);
        }
    });
    // The cart stays where the first step put it.
    EXPECT_EQ(view().m_cartX, 110);
    EXPECT_EQ(view().m_cartY, 100);
    EXPECT_EQ(frame().paneText(), "Vodidlo:[100,100], Uhol natocenia kormidla:0.000 [rad]");
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(total, 49);
    EXPECT_FALSE(progress()->isVisible());
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(ui().beeps(), 1);

    // The ignored input does not act after the run either.
    QApplication::processEvents();
    EXPECT_FALSE(view().m_startSet);
    EXPECT_TRUE(ui().scriptError().isEmpty()) << ui().scriptError().toStdString();
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(RunControlTest, ACloseRequestDuringARunClosesTheWindowAfterTheStep)
{
    animate([&] { frame().windowHandle()->close(); });
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(view().m_cartX, 110);

    frame().show();
    QApplication::processEvents();
    animate([&] { frame().action(ID_APP_EXIT)->trigger(); });
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(view().m_cartX, 110);
}

TEST_F(RunControlTest, ARunNobodyInterruptsGoesToItsEnd)
{
    view().m_delayMs = 0;
    ASSERT_TRUE(run(ID_ANIMUJ));
    EXPECT_EQ(view().m_cartX, 590);
    EXPECT_FALSE(progress()->isVisible());
}
