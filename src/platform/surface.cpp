#include "platform/surface.h"

#include "platform/pixelcopy.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// Puts a box's corners in order; false when it has no width or height (nothing to draw).
bool orderBox(int& left, int& top, int& right, int& bottom)
{
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    return left != right && top != bottom;
}

// Text is drawn in a plain sans serif of 13 pixels (10 pt at 96 dpi), about the height of the
// Windows system font. A pixel size keeps the canvas the same whatever the screen's resolution.
constexpr int TextPixelSize = 13;

QColor toColor(COLORREF color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QPen toQPen(const Pen& pen)
{
    if (pen.style == PenStyle::Null) {
        return QPen(Qt::NoPen);
    }
    if (pen.width <= 1) {
        // The program never selects a 1-pixel styled pen, so every thin pen draws solid.
        QPen thin(toColor(pen.color));
        thin.setCosmetic(true);
        return thin;
    }
    // GDI's wide pens are geometric: solid whatever the style, round ends and joins.
    return QPen(QBrush(toColor(pen.color)), pen.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

Qt::BrushStyle toPattern(HatchStyle hatch)
{
    switch (hatch) {
    case HatchStyle::Horizontal:
        return Qt::HorPattern;
    case HatchStyle::Vertical:
        return Qt::VerPattern;
    case HatchStyle::FDiagonal:
        return Qt::FDiagPattern;
    case HatchStyle::BDiagonal:
        return Qt::BDiagPattern;
    case HatchStyle::Cross:
        return Qt::CrossPattern;
    case HatchStyle::DiagCross:
        return Qt::DiagCrossPattern;
    }
    return Qt::HorPattern;
}

QBrush toQBrush(const Brush& brush)
{
    switch (brush.kind) {
    case Brush::Kind::Solid:
        return QBrush(toColor(brush.color));
    case Brush::Kind::Hatched:
        return QBrush(toColor(brush.color), toPattern(brush.hatch));
    case Brush::Kind::Hollow:
        return QBrush(Qt::NoBrush);
    }
    return QBrush(Qt::NoBrush);
}

// How far outside a shape's geometry its pen may set pixels.
std::int64_t penMargin(const Pen& pen)
{
    return std::max(pen.width, 1) / 2 + 1;
}

struct FloorDivision {
    std::int64_t quotient = 0;
    std::int64_t remainder = 0; // in [0, divisor)
};

// (factor * multiplier + addend) / divisor rounded down, for |factor| <= divisor < 2^34,
// 0 <= multiplier < 2^32 and 0 <= addend < divisor. The product may pass 64 bits and 32-bit
// targets have no 128-bit integer, so the multiplier is taken in 16-bit digits (long
// multiplication); every partial result stays below 2^51.
FloorDivision floorDivide(std::int64_t factor, std::int64_t multiplier, std::int64_t addend, std::int64_t divisor)
{
    // factor = lead * divisor + rest with rest in [0, divisor); lead is -1, 0 or 1.
    std::int64_t lead = factor / divisor;
    std::int64_t rest = factor % divisor;
    if (rest < 0) {
        rest += divisor;
        --lead;
    }
    FloorDivision result;
    for (int shift = 16; shift >= 0; shift -= 16) {
        const std::int64_t partial = (result.remainder << 16) + rest * ((multiplier >> shift) & 0xFFFF);
        result.quotient = (result.quotient << 16) + partial / divisor;
        result.remainder = partial % divisor;
    }
    result.remainder += addend;
    if (result.remainder >= divisor) {
        result.remainder -= divisor;
        ++result.quotient;
    }
    result.quotient += lead * multiplier;
    return result;
}

// Draws a shape with the pen and brush of the surface, no antialiasing. A hatch brush lays the
// white background first, as GDI's opaque background mode does between the hatch lines.
template <typename Draw>
void paintShape(QImage& canvas, const Pen& pen, const Brush& brush, Draw draw)
{
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrushOrigin(0, 0);
    if (brush.kind == Brush::Kind::Hatched) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        draw(painter);
    }
    painter.setPen(toQPen(pen));
    painter.setBrush(toQBrush(brush));
    draw(painter);
}

} // namespace

Surface::Surface(QImage& canvas, ReleaseHandler onRelease, DrawnTiles* drawn)
    : m_canvas(canvas), m_onRelease(std::move(onRelease)), m_drawn(drawn)
{
    if (!m_canvas.isNull() && m_canvas.format() != QImage::Format_RGB32) {
        m_canvas.convertTo(QImage::Format_RGB32);
    }
    if (!m_canvas.isNull()) {
        m_bits = reinterpret_cast<QRgb*>(m_canvas.bits());
        m_stride = m_canvas.bytesPerLine() / qsizetype(sizeof(QRgb));
        m_width = m_canvas.width();
        m_height = m_canvas.height();
    }
    if (m_drawn != nullptr && m_drawn->canvasSize() != m_canvas.size()) {
        m_drawn->resize(m_canvas.size());
    }
}

Surface::~Surface()
{
    const QRect rect = touched();
    if (!rect.isEmpty() && m_onRelease) {
        m_onRelease(rect);
    }
}

QRect Surface::touched() const
{
    if (m_touchedLeft > m_touchedRight || m_touchedTop > m_touchedBottom) {
        return QRect();
    }
    return QRect(QPoint(m_touchedLeft, m_touchedTop), QPoint(m_touchedRight, m_touchedBottom));
}

bool Surface::addToTouched(std::int64_t& left, std::int64_t& top, std::int64_t& right, std::int64_t& bottom)
{
    left = std::max<std::int64_t>(left, 0);
    top = std::max<std::int64_t>(top, 0);
    right = std::min<std::int64_t>(right, m_canvas.width() - 1);
    bottom = std::min<std::int64_t>(bottom, m_canvas.height() - 1);
    if (left > right || top > bottom) {
        return false;
    }
    m_touchedLeft = std::min(m_touchedLeft, static_cast<int>(left));
    m_touchedTop = std::min(m_touchedTop, static_cast<int>(top));
    m_touchedRight = std::max(m_touchedRight, static_cast<int>(right));
    m_touchedBottom = std::max(m_touchedBottom, static_cast<int>(bottom));
    return true;
}

void Surface::touch(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom)
{
    if (addToTouched(left, top, right, bottom) && m_drawn != nullptr) {
        m_drawn->markBox(int(left), int(top), int(right), int(bottom));
    }
}

void Surface::touchSegment(int x0, int y0, int x1, int y1, int reach)
{
    std::int64_t left = std::int64_t(std::min(x0, x1)) - reach;
    std::int64_t top = std::int64_t(std::min(y0, y1)) - reach;
    std::int64_t right = std::int64_t(std::max(x0, x1)) + reach;
    std::int64_t bottom = std::int64_t(std::max(y0, y1)) + reach;
    if (addToTouched(left, top, right, bottom) && m_drawn != nullptr) {
        m_drawn->markSegment(x0, y0, x1, y1, reach);
    }
}

Pen Surface::SelectPen(const Pen& pen)
{
    return std::exchange(m_pen, pen);
}

Brush Surface::SelectBrush(const Brush& brush)
{
    return std::exchange(m_brush, brush);
}

QPoint Surface::MoveTo(int x, int y)
{
    return std::exchange(m_position, QPoint(x, y));
}

bool Surface::LineTo(int x, int y)
{
    if (m_pen.style != PenStyle::Null) {
        if (m_pen.width <= 1) {
            drawThinLine(m_position.x(), m_position.y(), x, y);
        } else {
            drawWideLine(m_position.x(), m_position.y(), x, y);
        }
    }
    m_position = QPoint(x, y);
    return true;
}

// One pixel per step along the major axis, at the minor coordinate nearest the line (halves
// round towards +infinity), without the end point. The minor coordinate depends only on the
// major one, so the same pixels come out whichever way the line is drawn, and only the steps
// on the canvas need to be visited: a line from far outside costs no more than one across it.
void Surface::drawThinLine(int x0, int y0, int x1, int y1)
{
    const std::int64_t dx = std::int64_t(x1) - x0;
    const std::int64_t dy = std::int64_t(y1) - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t major0 = xMajor ? x0 : y0;
    const std::int64_t minor0 = xMajor ? y0 : x0;
    const std::int64_t majorDelta = xMajor ? dx : dy;
    const std::int64_t minorDelta = xMajor ? dy : dx;
    const std::int64_t majorSize = xMajor ? m_canvas.width() : m_canvas.height();
    const std::int64_t minorSize = xMajor ? m_canvas.height() : m_canvas.width();
    const std::int64_t steps = std::abs(majorDelta);
    if (steps == 0) {
        return;
    }
    const std::int64_t direction = majorDelta > 0 ? 1 : -1;

    // Steps 0..steps-1 whose major coordinate lies on the canvas.
    std::int64_t first = 0;
    std::int64_t last = steps - 1;
    if (direction > 0) {
        first = std::max(first, -major0);
        last = std::min(last, majorSize - 1 - major0);
    } else {
        first = std::max(first, major0 - (majorSize - 1));
        last = std::min(last, major0);
    }
    if (first > last) {
        return;
    }

    // Minor offset at step t: floor((2 * minorDelta * t + steps) / (2 * steps)), kept as a
    // quotient and a remainder in [0, 2 * steps).
    const std::int64_t twoSteps = 2 * steps;
    const FloorDivision start = floorDivide(2 * minorDelta, first, steps, twoSteps);
    std::int64_t offset = start.quotient;
    std::int64_t remainder = start.remainder;
    const QRgb pixel = toPixel(m_pen.color);
    for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t minor = minor0 + offset;
        if (minor >= 0 && minor < minorSize) {
            const int major = static_cast<int>(major0 + direction * t);
            if (xMajor) {
                plot(major, static_cast<int>(minor), pixel);
            } else {
                plot(static_cast<int>(minor), major, pixel);
            }
        }
        // |minorDelta| <= steps, so one correction brings the remainder back into range.
        remainder += 2 * minorDelta;
        if (remainder >= twoSteps) {
            remainder -= twoSteps;
            ++offset;
        } else if (remainder < 0) {
            remainder += twoSteps;
            --offset;
        }
    }
}

// A wide line includes its end point under the round cap, as GDI's geometric pens do. The
// segment is first clipped (Liang-Barsky) to the canvas grown by the pen's reach, so Qt only
// ever strokes coordinates near the canvas; the part cut off could not reach the canvas anyway.
void Surface::drawWideLine(int x0, int y0, int x1, int y1)
{
    const double margin = static_cast<double>(penMargin(m_pen));
    const double minX = -margin;
    const double minY = -margin;
    const double maxX = m_canvas.width() - 1 + margin;
    const double maxY = m_canvas.height() - 1 + margin;
    const double dx = double(x1) - x0;
    const double dy = double(y1) - y0;
    double enter = 0.0;
    double leave = 1.0;
    // Each edge as p * t <= q; a parallel edge (p == 0) rejects only when the line lies outside.
    const double edges[4][2] = {
        {-dx, x0 - minX}, {dx, maxX - x0}, {-dy, y0 - minY}, {dy, maxY - y0}};
    for (const auto& edge : edges) {
        const double p = edge[0];
        const double q = edge[1];
        if (p == 0.0) {
            if (q < 0.0) {
                return;
            }
        } else if (p < 0.0) {
            enter = std::max(enter, q / p);
        } else {
            leave = std::min(leave, q / p);
        }
    }
    if (enter > leave) {
        return;
    }
    const QPointF from(x0 + enter * dx, y0 + enter * dy);
    const QPointF to(x0 + leave * dx, y0 + leave * dy);
    {
        QPainter painter(&m_canvas);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(toQPen(m_pen));
        painter.drawLine(from, to);
    }
    // The clipped ends lie within the canvas grown by the pen's reach; one more pixel covers
    // their rounding.
    touchSegment(static_cast<int>(std::floor(from.x())), static_cast<int>(std::floor(from.y())),
                 static_cast<int>(std::floor(to.x())), static_cast<int>(std::floor(to.y())), int(penMargin(m_pen)) + 1);
}

// Qt draws a 1-pixel outline of QRect(l, t, r - l - 1, b - t - 1) on columns l..r-1, the GDI
// box. With the null pen the fill alone covers l..r-2, one pixel less, also as in GDI.
bool Surface::Rectangle(int left, int top, int right, int bottom)
{
    if (!orderBox(left, top, right, bottom)) {
        return true;
    }
    // Edges beyond the pen's reach outside the canvas stay invisible when moved to just past
    // that reach, so clamping them keeps every visible pixel and gives Qt small numbers.
    const std::int64_t margin = penMargin(m_pen);
    const auto clamp = [margin](std::int64_t value, std::int64_t size) {
        return std::clamp(value, -margin - 2, size + margin + 2);
    };
    const std::int64_t l = clamp(left, m_canvas.width());
    const std::int64_t t = clamp(top, m_canvas.height());
    const std::int64_t r = clamp(right, m_canvas.width());
    const std::int64_t b = clamp(bottom, m_canvas.height());
    if (l == r || t == b) {
        return true;
    }
    const QRect box(int(l), int(t), int(r - l - 1), int(b - t - 1));
    paintShape(m_canvas, m_pen, m_brush, [&box](QPainter& painter) { painter.drawRect(box); });
    touch(l - margin, t - margin, r - 1 + margin, b - 1 + margin);
    return true;
}

// The inscribed ellipse cannot be clamped like a rectangle without changing its curve, so it
// goes to Qt in floating point; Qt's rasterizer clips it to the canvas. A box that lies wholly
// off the canvas is skipped here.
bool Surface::Ellipse(int left, int top, int right, int bottom)
{
    if (!orderBox(left, top, right, bottom)) {
        return true;
    }
    const std::int64_t margin = penMargin(m_pen);
    if (right - 1 + margin < 0 || bottom - 1 + margin < 0
        || left - margin >= m_canvas.width() || top - margin >= m_canvas.height()) {
        return true;
    }
    const QRectF box(left, top, double(right) - left - 1, double(bottom) - top - 1);
    paintShape(m_canvas, m_pen, m_brush, [&box](QPainter& painter) { painter.drawEllipse(box); });
    touch(left - margin, top - margin, std::int64_t(right) - 1 + margin,
          std::int64_t(bottom) - 1 + margin);
    return true;
}

bool Surface::TextOut(int x, int y, std::string_view text)
{
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(TextPixelSize);
    // Pure black on white, like GDI's text without ClearType.
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font, &m_canvas);
    const std::int64_t right = std::int64_t(x) + metrics.horizontalAdvance(string);
    const std::int64_t bottom = std::int64_t(y) + metrics.height();
    if (right <= 0 || bottom <= 0 || x >= m_canvas.width() || y >= m_canvas.height()
        || right == x) {
        return true;
    }
    // Glyphs that overhang their cell are cut at the box, so the box is all that changes.
    const QRect box(QPoint(x, y), QPoint(int(right - 1), int(bottom - 1)));
    {
        QPainter painter(&m_canvas);
        painter.fillRect(box, Qt::white);
        painter.setClipRect(box);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(x, y + metrics.ascent()), string);
    }
    touch(x, y, right - 1, bottom - 1);
    return true;
}

// Clipped on the corners rather than with QRect::intersected, whose width arithmetic
// overflows for rectangles reaching the ends of the int range.
void Surface::DrawImage(int x, int y, const QImage& image)
{
    const std::int64_t left = std::max<std::int64_t>(x, 0);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t(x) + image.width(), m_canvas.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t(y) + image.height(), m_canvas.height());
    const bool drawable = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_Indexed8;
    if (left >= right || top >= bottom || !drawable) {
        return;
    }
    copyPixels(image, QPoint(x, y), m_canvas, QRect(int(left), int(top), int(right - left), int(bottom - top)));
    touch(left, top, right - 1, bottom - 1);
}
