#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// Shows the view's canvas. The canvas keeps every drawing, so the window system's own expose
// and scroll events only copy it to the screen.
class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(const QImage& canvas, QWidget* parent = nullptr);

    std::function<void(QPoint)> onMouseMove;
    std::function<void(QPoint)> onDoubleClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage& m_canvas;
};
