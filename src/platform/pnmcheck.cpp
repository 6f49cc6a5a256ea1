#include "platform/pnmcheck.h"

#include <algorithm>

namespace {

bool isSpace(uchar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(uchar c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<PnmSize> readPnmSize(const uchar* data, qint64 size)
{
    if (data == nullptr || size < 2 || data[0] != 'P' || data[1] < '1' || data[1] > '6') {
        return std::nullopt;
    }
    // Any side past this is too large alike; the cap keeps a long digit run from overflowing.
    constexpr qint64 kCap = qint64(1) << 40;
    qint64 at = 2;
    qint64 sides[2] = {0, 0};
    for (qint64& side : sides) {
        // Blanks and comments (from '#' to the end of the line) stand before each number.
        while (at < size && (isSpace(data[at]) || data[at] == '#')) {
            if (data[at] == '#') {
                while (at < size && data[at] != '\n' && data[at] != '\r') {
                    ++at;
                }
            } else {
                ++at;
            }
        }
        if (at >= size || !isDigit(data[at])) {
            return std::nullopt;
        }
        for (; at < size && isDigit(data[at]); ++at) {
            side = std::min(side * 10 + (data[at] - '0'), kCap);
        }
    }
    return PnmSize{sides[0], sides[1]};
}
