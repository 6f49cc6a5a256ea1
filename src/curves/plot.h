#pragma once

#include "platform/surface.h"

struct PlotSettings {
    int startX;    // offset of the ellipses and numbers
    int startY;
    bool ellipses; // an ellipse from each point to the next entry
    bool numbers;  // each point's index beside it
};

constexpr COLORREF kPlotPointColor = RGB(128, 128, 0);

// Plots points 0 .. count - 2 (entry count - 1 closes the last shape): for each, the ellipse
// and the index shifted by the start, each corner a single-precision sum truncated toward
// zero, and the point's own pixel, unshifted. Nothing for fewer than two entries.
void plotPoints(Surface& dc, const float* xs, const float* ys, int count, const PlotSettings& settings);
