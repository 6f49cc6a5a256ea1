#include "app/icons.h"

#include "view/commandids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr QSize kButton{16, 15};

QPixmap blank(QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void page(QPainter& p, int x, int y)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygon({{x, y}, {x + 6, y}, {x + 9, y + 3}, {x + 9, y + 12}, {x, y + 12}}));
    p.drawLine(x + 6, y, x + 6, y + 3);
    p.drawLine(x + 6, y + 3, x + 9, y + 3);
}

void drawButton(QPainter& p, int id)
{
    using namespace cmd;
    switch (id) {
    case ID_FILE_NEW:
        page(p, 3, 1);
        break;
    case ID_FILE_OPEN:
        p.setPen(Qt::black);
        p.setBrush(QColor(230, 200, 80));
        p.drawRect(1, 4, 12, 8);
        p.drawLine(1, 4, 3, 2);
        p.drawLine(3, 2, 6, 2);
        break;
    case ID_FILE_SAVE:
        p.setPen(Qt::black);
        p.setBrush(QColor(40, 60, 160));
        p.drawRect(1, 1, 13, 12);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);
        p.fillRect(4, 9, 8, 4, Qt::lightGray);
        break;
    case ID_EDIT_CUT:
        p.setPen(Qt::black);
        p.drawLine(4, 1, 9, 9);
        p.drawLine(11, 1, 6, 9);
        p.drawEllipse(2, 9, 4, 4);
        p.drawEllipse(9, 9, 4, 4);
        break;
    case ID_EDIT_COPY:
        page(p, 1, 0);
        page(p, 5, 2);
        break;
    case ID_EDIT_PASTE:
        p.setPen(Qt::black);
        p.setBrush(QColor(170, 120, 60));
        p.drawRect(1, 2, 9, 11);
        p.fillRect(4, 1, 4, 2, Qt::gray);
        page(p, 6, 2);
        break;
    case ID_FILE_PRINT:
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(Qt::lightGray);
        p.drawRect(1, 6, 13, 5);
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 7, 3);
        break;
    case ID_APP_ABOUT: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 160), 2));
        QPainterPath mark;
        mark.moveTo(5, 5);
        mark.cubicTo(5, 1, 11, 1, 11, 5);
        mark.cubicTo(11, 7, 8, 7, 8, 10);
        p.drawPath(mark);
        p.drawPoint(8, 13);
        break;
    }
    default:
        break;
    }
}

} // namespace

QIcon appIcon()
{
    // A cart's circle with its heading on a light map, a red obstacle beside it.
    QPixmap pixmap = blank({32, 32});
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(QColor(240, 236, 220));
    p.drawRoundedRect(1, 1, 30, 30, 4, 4);
    p.fillRect(22, 4, 6, 10, QColor(255, 0, 0));
    p.setPen(QPen(QColor(0, 170, 0), 3));
    p.drawLine(12, 20, 22, 12);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPoint(12, 20), 6, 6);
    return QIcon(pixmap);
}

QIcon toolbarIcon(int commandId)
{
    QPixmap pixmap = blank(kButton);
    QPainter painter(&pixmap);
    drawButton(painter, commandId);
    return QIcon(pixmap);
}
