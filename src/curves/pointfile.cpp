#include "curves/pointfile.h"

#include "curves/pointdata.h"
#include "platform/clocale.h"

PointFileRead readPointFile(std::FILE* file, float* xs, float* ys)
{
    const CLocaleScope cLocale;
    PointFileRead result;
    float x = 0.0f;
    float y = 0.0f;
    int stored = 0;
    for (;;) {
        const int converted = std::fscanf(file, "%f %f", &x, &y);
        result.badToken = converted == 0;
        xs[stored] = x;
        ys[stored] = y;
        ++stored;
        if (result.badToken || std::feof(file) || std::ferror(file) || stored == kPointSlots) {
            break;
        }
    }
    result.count = stored - 1;
    return result;
}
