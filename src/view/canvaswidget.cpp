#include "view/canvaswidget.h"

#include <QMouseEvent>
#include <QPainter>

CanvasWidget::CanvasWidget(const QImage& canvas, QWidget* parent)
    : QWidget(parent), m_canvas(canvas)
{
    setAttribute(Qt::WA_StaticContents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, m_canvas, dirty);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove) {
        onMouseMove(event->position().toPoint());
    }
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onDoubleClick) {
        onDoubleClick(event->position().toPoint());
    }
}
