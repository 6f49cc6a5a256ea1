#include "app/screengrab.h"

#include "app/mainframe.h"
#include "view/tav1view.h"

#include <QPixmap>
#include <QScreen>

QImage grabShownView(const CMainFrame& frame)
{
    const QWidget* viewport = frame.view()->viewport();
    QScreen* screen = frame.screen();
    if (screen == nullptr) {
        return QImage();
    }
    const QPoint origin = viewport->mapTo(&frame, QPoint(0, 0));
    const QPixmap shown = screen->grabWindow(frame.winId(), origin.x(), origin.y(), viewport->width(),
                                             viewport->height());
    return shown.toImage().convertToFormat(QImage::Format_RGB32);
}
