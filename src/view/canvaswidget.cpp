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

void CanvasWidget::setZoom(Zoom zoom)
{
    m_zoom = zoom;
    fitToCanvas();
    update();
}

void CanvasWidget::fitToCanvas()
{
    resize(m_zoom.toScreen(m_canvas.size()));
}

void CanvasWidget::repaintCanvas(const QRegion& canvasRegion)
{
    if (m_zoom == Zoom()) {
        repaint(canvasRegion);
    } else {
        repaint(m_zoom.toScreen(canvasRegion.boundingRect()));
    }
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& dirty : event->region()) {
        if (m_zoom.out > 1) {
            // Zoomed out, each screen pixel is the mean of the canvas pixels it stands for.
            painter.drawImage(dirty.topLeft(), meanOfBlocks(m_canvas, dirty, m_zoom.out));
        } else if (m_zoom.in > 1) {
            // Zoomed in, canvas pixels stay sharp squares.
            const QRect source = m_zoom.toCanvas(dirty);
            painter.drawImage(m_zoom.toScreen(source), m_canvas, source);
        } else {
            painter.drawImage(dirty, m_canvas, dirty);
        }
    }
}

QPoint CanvasWidget::canvasPoint(const QMouseEvent* event) const
{
    return m_zoom.toCanvas(event->position().toPoint());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove) {
        onMouseMove(canvasPoint(event));
    }
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && onDoubleClick) {
        onDoubleClick(canvasPoint(event));
    }
}
