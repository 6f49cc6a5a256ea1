#include "view/screengrab.h"

#include "view/tav1view.h"

#include <QPixmap>
#include <QScreen>

QImage grabShownView(const CTAV1View& view)
{
    const QWidget* viewport = view.viewport();
    const QWidget* window = view.window();
    QScreen* screen = window->screen();
    if (screen == nullptr) {
        return QImage();
    }
    const QPoint origin = viewport->mapTo(window, QPoint(0, 0));
    const QPixmap shown = screen->grabWindow(window->winId(), origin.x(), origin.y(), viewport->width(),
                                             viewport->height());
    return shown.toImage().convertToFormat(QImage::Format_RGB32);
}
