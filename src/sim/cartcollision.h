#pragma once

#include "platform/surface.h"

#include <QImage>

// The cart as a run's step draws it around the guide point: the ellipse of the box from
// guide - 8 to guide + 8 (right and bottom edges excluded), outlined with a dotted black pen 2
// pixels wide and filled with a red diagonal-cross hatch. A step collides when a pixel of that
// drawing lies on a wall pixel (pure red) of the map itself, not on the canvas drawn over it.

constexpr int kCartRadius = 8;
constexpr Pen kCartPen{PenStyle::Dot, 2, RGB(0, 0, 0)};
constexpr Brush kCartBrush{Brush::Kind::Hatched, HatchStyle::DiagCross, RGB(255, 0, 0)};

#include <vector>

// Draws the cart's ellipse around (guideX, guideY) with the pen and brush selected on `dc`; the
// box reaches `radius` from the guide point.
void drawCartDisc(Surface& dc, int guideX, int guideY, int radius = kCartRadius);

// The pixels the cart's drawing of this radius covers, as offsets from the guide point.
std::vector<QPoint> cartFootprint(int radius);

// Whether `footprint` around (guideX, guideY), in the map's own pixels, covers a wall pixel of
// `map` (pixels off the map are no walls).
bool footprintHitsWall(const QImage& map, const std::vector<QPoint>& footprint, int guideX, int guideY);

// The same for the cart as a run draws it.
bool cartHitsWall(const QImage& map, int guideX, int guideY);
