#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

// How the view shows the canvas: `in` x `in` screen pixels for each canvas pixel, or one screen
// pixel for each `out` x `out` block of canvas pixels; one of the two is 1. Only the display
// scales: everything the program does stays in canvas pixels.
struct Zoom {
    int in = 1;
    int out = 1;

    bool operator==(const Zoom&) const = default;
    double factor() const { return double(in) / out; }
    // The next step of the zoom ladder up or down (the ends stay where they are).
    Zoom larger() const;
    Zoom smaller() const;
    // The largest zoom at which `content` fits into `area` whole.
    static Zoom toFit(QSize content, QSize area);

    int toScreen(int canvas) const { return int(qint64(canvas) * in / out); }
    QSize toScreen(QSize canvas) const;
    // The screen pixels that show any part of a canvas rectangle.
    QRect toScreen(const QRect& canvas) const;
    QPoint toCanvas(QPoint screen) const;
    // The canvas pixels that any part of a screen rectangle shows.
    QRect toCanvas(const QRect& screen) const;
};

// The screen pixels `screen` of a zoom `out` times smaller, each the mean colour of its block of
// canvas pixels (cut at the canvas's edge): a map zoomed out stays a map, thin walls included.
// QImage::scaled cannot be used for this: it weighs a part of an image by where the part lies
// in the whole, so pieces repainted one by one would not match.
QImage meanOfBlocks(const QImage& canvas, const QRect& screen, int out);
