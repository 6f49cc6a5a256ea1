#pragma once

#include "view/blocksums.h"
#include "view/zoom.h"

#include <QImage>
#include <QWidget>

#include <functional>

// Shows the view's canvas at the view's zoom. The canvas keeps every drawing, so the window
// system's own expose and scroll events only copy it to the screen. Pointer positions are
// reported in canvas pixels.
class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(const QImage& canvas, QWidget* parent = nullptr);

    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint)> onDoubleClick;

    Zoom zoom() const { return m_zoom; }
    void setZoom(Zoom zoom);
    // Takes the canvas's (zoomed) size; called when the canvas grows.
    void fitToCanvas();
    // Shows the given canvas pixels now.
    void repaintCanvas(const QRegion& canvasRegion);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint canvasPoint(const QMouseEvent* event) const;

    // Whether the zoom shows blocks the block sums can make.
    bool usesBlockSums() const;

    const QImage& m_canvas;
    Zoom m_zoom;
    // Made when usesBlockSums() first, kept while zoomed out, following every change the view
    // shows.
    BlockSums m_sums;
};
