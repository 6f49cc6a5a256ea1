#include "view/tav1view.h"

#include "view/canvaswidget.h"

#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

Zoom CTAV1View::zoom() const
{
    return m_canvasWidget->zoom();
}

void CTAV1View::setZoom(Zoom zoom, QPoint anchor)
{
    const Zoom before = this->zoom();
    if (zoom == before) {
        return;
    }
    // Where the anchor's canvas point lies, in canvas pixels with the fraction kept.
    const QPointF onScreen = QPointF(anchor - m_canvasWidget->pos());
    const QPointF onCanvas = onScreen / before.factor();
    m_canvasWidget->setZoom(zoom);
    horizontalScrollBar()->setValue(int(onCanvas.x() * zoom.factor() - anchor.x()));
    verticalScrollBar()->setValue(int(onCanvas.y() * zoom.factor() - anchor.y()));
}

void CTAV1View::OnZoomIn()
{
    setZoom(zoom().larger(), viewport()->rect().center());
}

void CTAV1View::OnZoomOut()
{
    setZoom(zoom().smaller(), viewport()->rect().center());
}

void CTAV1View::OnZoomActualSize()
{
    setZoom(Zoom(), viewport()->rect().center());
}

void CTAV1View::OnFitToWindow()
{
    // The viewport without scroll bars, which the whole canvas no longer needs.
    const QSize area = maximumViewportSize();
    setZoom(Zoom::toFit(m_canvas.size(), area), QPoint(0, 0));
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void CTAV1View::keepInSight(QPoint canvasPoint)
{
    // A point off the canvas cannot be shown; its nearest canvas pixel can (and keeps the
    // scroll arithmetic within int).
    canvasPoint.setX(std::clamp(canvasPoint.x(), 0, m_canvas.width() - 1));
    canvasPoint.setY(std::clamp(canvasPoint.y(), 0, m_canvas.height() - 1));
    const QRect visible = visibleCanvasRect();
    const int marginX = visible.width() / 5;
    const int marginY = visible.height() / 5;
    if (visible.adjusted(marginX, marginY, -marginX, -marginY).contains(canvasPoint)) {
        return;
    }
    // Centred, so that a moving cart makes the view jump now and then rather than crawl.
    const QPoint onScreen = zoom().toScreen(QRect(canvasPoint, QSize(1, 1))).topLeft();
    ensureVisible(onScreen.x(), onScreen.y(), viewport()->width() / 2, viewport()->height() / 2);
}

void CTAV1View::wheelEvent(QWheelEvent* event)
{
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    m_zoomWheelDelta += event->angleDelta().y();
    const QPoint anchor = event->position().toPoint();
    for (; m_zoomWheelDelta >= QWheelEvent::DefaultDeltasPerStep; m_zoomWheelDelta -= QWheelEvent::DefaultDeltasPerStep) {
        setZoom(zoom().larger(), anchor);
    }
    for (; m_zoomWheelDelta <= -QWheelEvent::DefaultDeltasPerStep; m_zoomWheelDelta += QWheelEvent::DefaultDeltasPerStep) {
        setZoom(zoom().smaller(), anchor);
    }
    event->accept();
}
