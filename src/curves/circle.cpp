#include "curves/circle.h"

#include "platform/clocale.h"
#include "platform/pi.h"

#include <cmath>
#include <cstdio>

void generateCircle(int n, int radius10, float* xs, float* ys)
{
    const double radius = double(10 * radius10);
    double angle = -double(kPi);
    for (int i = 0; i < n; ++i) {
        angle += double(kTwoPi) / n;
        xs[i] = static_cast<float>(-radius * std::cos(angle));
        ys[i] = static_cast<float>(-radius * std::sin(angle));
    }
    if (n > 0) {
        xs[n] = xs[n - 1];
        ys[n] = ys[n - 1];
    }
}

std::string pointFileText(const float* xs, const float* ys, int n)
{
    const CLocaleScope cLocale;
    std::string text;
    // The largest float takes 48 characters at this precision.
    char line[128];
    for (int i = 0; i < n; ++i) {
        text.append(line, std::size_t(std::snprintf(line, sizeof line, "%5.8f %5.8f \n", double(xs[i]), double(ys[i]))));
    }
    return text;
}
