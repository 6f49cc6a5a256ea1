#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Copies the pixels of `area` (in `to`'s coordinates, within it) from `from`, whose top-left
// corner lies at `at` on `to`, into the 32-bit image `to`. `from` is 32-bit or 8-bit indices into
// its colour table (a map of few colours kept small); the area lies within it.
void copyPixels(const QImage& from, QPoint at, QImage& to, const QRect& area);
