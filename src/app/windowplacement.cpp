#include "app/windowplacement.h"

#include "app/mainframe.h"

#include <QScreen>
#include <QSettings>

namespace {

// Room for the title bar and borders a window manager adds; the window cannot know them
// before it is shown.
constexpr QSize kDecoration(16, 40);

const QString kGeometryKey = QStringLiteral("Settings/WindowGeometry");
const QString kStateKey = QStringLiteral("Settings/WindowState");

} // namespace

QRect firstWindowGeometry(QSize wanted, QRect available)
{
    const QSize size = wanted.boundedTo(available.size() - kDecoration);
    QRect geometry(QPoint(), size);
    geometry.moveCenter(available.center());
    return geometry;
}

void placeFirstWindow(CMainFrame& frame)
{
    const QSettings settings = profileSettings();
    if (frame.restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
        frame.restoreState(settings.value(kStateKey).toByteArray());
        return;
    }
    if (const QScreen* screen = frame.screen()) {
        frame.setGeometry(firstWindowGeometry(frame.sizeHint(), screen->availableGeometry()));
    }
}

void rememberWindowPlacement(const CMainFrame& frame)
{
    QSettings settings = profileSettings();
    settings.setValue(kGeometryKey, frame.saveGeometry());
    settings.setValue(kStateKey, frame.saveState());
}
