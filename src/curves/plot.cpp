#include "curves/plot.h"

#include "curves/pointdata.h"
#include "platform/pixelmath.h"

#include <algorithm>
#include <string>

namespace {

int shifted(int start, float value)
{
    return truncToPixel(double(static_cast<float>(double(start) + double(value))));
}

} // namespace

void plotPoints(Surface& dc, const float* xs, const float* ys, int count, const PlotSettings& settings)
{
    const int last = std::min(count, kPointSlots) - 2;
    for (int i = 0; i <= last; ++i) {
        const int left = shifted(settings.startX, xs[i]);
        const int top = shifted(settings.startY, ys[i]);
        if (settings.ellipses) {
            dc.Ellipse(left, top, shifted(settings.startX, xs[i + 1]), shifted(settings.startY, ys[i + 1]));
        }
        if (settings.numbers) {
            dc.TextOut(left, top, std::to_string(i));
        }
        dc.SetPixel(truncToPixel(double(xs[i])), truncToPixel(double(ys[i])), kPlotPointColor);
    }
}
