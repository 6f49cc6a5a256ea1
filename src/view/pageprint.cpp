#include "view/pageprint.h"

#include <QImage>
#include <QPainter>
#include <QRect>

void paintCanvasOnPage(QPainter& painter, const QRect& page, const QImage& canvas)
{
    if (canvas.isNull() || page.isEmpty()) {
        return;
    }
    const QSize fitted = canvas.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.left() + (page.width() - fitted.width()) / 2, page.top(), fitted.width(),
                       fitted.height());
    painter.drawImage(target, canvas);
}
