#include "platform/pixelcopy.h"

#include <cstring>

void copyPixels(const QImage& from, QPoint at, QImage& to, const QRect& area)
{
    const int left = area.left() - at.x();
    if (from.format() == QImage::Format_Indexed8) {
        const QList<QRgb> table = from.colorTable();
        const QRgb* colours = table.constData();
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const uchar* source = from.constScanLine(y - at.y()) + left;
            QRgb* target = reinterpret_cast<QRgb*>(to.scanLine(y)) + area.left();
            for (int x = 0; x < area.width(); ++x) {
                target[x] = colours[source[x]];
            }
        }
        return;
    }
    const std::size_t bytes = std::size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(from.constScanLine(y - at.y())) + left;
        std::memcpy(reinterpret_cast<QRgb*>(to.scanLine(y)) + area.left(), source, bytes);
    }
}
