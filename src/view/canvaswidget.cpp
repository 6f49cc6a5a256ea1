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
    // Kept while zoomed out at all, so that stepping back out past 1/8 finds them made.
    if (m_zoom.out == 1) {
        m_sums.clear();
    }
    fitToCanvas();
    update();
}

bool CanvasWidget::usesBlockSums() const
{
    // Closer in, the blocks are small enough to average straight from the canvas.
    return m_zoom.out >= 2 * BlockSums::kCell && m_zoom.out % BlockSums::kCell == 0;
}

void CanvasWidget::fitToCanvas()
{
    resize(m_zoom.toScreen(m_canvas.size()));
}

void CanvasWidget::repaintCanvas(const QRegion& canvasRegion)
{
    for (const QRect& changed : canvasRegion) {
        m_sums.update(m_canvas, changed);
    }
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
        if (usesBlockSums()) {
            if (m_sums.canvasSize() != m_canvas.size()) {
                m_sums.build(m_canvas);
            }
            painter.drawImage(dirty.topLeft(), m_sums.empty() ? meanOfBlocks(m_canvas, dirty, m_zoom.out)
                                                               : m_sums.meanOfBlocks(dirty, m_zoom.out));
        } else if (m_zoom.out > 1) {
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
