#include "curves/circle.h"

#include "platform/clocale.h"
#include "platform/pi.h"

#include <cmath>

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

bool writePointFile(std::FILE* file, const float* xs, const float* ys, int n)
{
    const CLocaleScope cLocale;
    for (int i = 0; i < n; ++i) {
        if (std::fprintf(file, "%5.8f %5.8f \n", double(xs[i]), double(ys[i])) < 0) {
            return false;
        }
    }
    return std::fflush(file) == 0 && std::ferror(file) == 0;
}
