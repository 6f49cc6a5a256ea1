#pragma once

class QImage;
class QPainter;
class QRect;

// Draws the canvas on a page, scaled to fit the page's area and keeping its proportions,
// centred horizontally at the top.
void paintCanvasOnPage(QPainter& painter, const QRect& page, const QImage& canvas);
