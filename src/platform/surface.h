#pragma once

#include "platform/drawntiles.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <climits>
#include <cstdint>
#include <functional>
#include <string_view>

// 24-bit colour as the program stores it: 0x00BBGGRR.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
// What GetPixel reports outside the canvas.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };
enum class HatchStyle { Horizontal = 0, Vertical = 1, FDiagonal = 2, BDiagonal = 3, Cross = 4, DiagCross = 5 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    COLORREF color = RGB(0, 0, 0);
};

struct Brush {
    enum class Kind { Solid, Hatched, Hollow };
    Kind kind = Kind::Solid;
    HatchStyle hatch = HatchStyle::Horizontal;
    COLORREF color = RGB(255, 255, 255);
};

// A drawing context over the view's canvas with the conventions of the Windows device context
// the program was written for:
// - bounding boxes (Ellipse, Rectangle) exclude their right and bottom edge;
// - LineTo excludes its end point and moves the current position there;
// - the default pen is 1 pixel solid black, the default brush solid white;
// - TextOut writes black text on an opaque white box, top-left at the given point;
// - no antialiasing; a pen wider than 1 pixel draws solid whatever its style;
// - a hatch brush draws its lines in its colour over a white background.
// Pixels outside the canvas are ignored when drawn and read as CLR_INVALID; coordinates however
// far outside cost no more than the part of the drawing that lies on the canvas.
// When the surface is released (destroyed) it reports the rectangle it touched, so the widget
// can show just that part. Given a tile grid of the canvas, it also marks every tile it draws on.
// The canvas must stay Format_RGB32 and keep its size while a surface draws on it (the
// constructor converts it): pixel access goes through the pixel address taken at construction.
class Surface {
public:
    using ReleaseHandler = std::function<void(const QRect& touched)>;

    explicit Surface(QImage& canvas, ReleaseHandler onRelease = {}, DrawnTiles* drawn = nullptr);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    COLORREF GetPixel(int x, int y) const;
    // Returns the colour set, or CLR_INVALID outside the canvas.
    COLORREF SetPixel(int x, int y, COLORREF color);
    bool SetPixelV(int x, int y, COLORREF color);

    // Select a pen or brush; returns the one selected before.
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);

    QPoint MoveTo(int x, int y);
    bool LineTo(int x, int y);
    bool Ellipse(int left, int top, int right, int bottom);
    bool Rectangle(int left, int top, int right, int bottom);
    bool TextOut(int x, int y, std::string_view text);
    // Copies an RGB32 image unscaled with its top-left corner at (x, y), clipped to the canvas.
    void DrawImage(int x, int y, const QImage& image);

    // Direct access to the canvas pixels for loops that read and write millions of them (the
    // range scanner); whoever writes through it reports what it wrote with markTouchedLine: every
    // pixel within `reach` of the segment from (x0, y0) to (x1, y1).
    struct Raster {
        QRgb* bits;
        qsizetype stride; // pixels per line
        int width;
        int height;
    };
    Raster raster() const { return {m_bits, m_stride, m_width, m_height}; }
    void markTouchedLine(int x0, int y0, int x1, int y1, int reach) { touchSegment(x0, y0, x1, y1, reach); }
    static constexpr QRgb pixelOf(COLORREF color) { return toPixel(color); }

    QImage& canvas() { return m_canvas; }
    QRect touched() const;

private:
    static constexpr QRgb toPixel(COLORREF color);
    static constexpr COLORREF toColorRef(QRgb pixel);
    bool contains(int x, int y) const;
    // Sets a pixel known to be on the canvas.
    void plot(int x, int y, QRgb pixel);
    // Adds an inclusive box, in any range, to the touched pixels, clipped to the canvas.
    void touch(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
    // Adds the pixels within `reach` of a segment whose ends are near the canvas: its box to the
    // touched box, the tiles along it to the drawn tiles.
    void touchSegment(int x0, int y0, int x1, int y1, int reach);
    // Clips a box to the canvas and adds it to the touched box; false when nothing is left.
    bool addToTouched(std::int64_t& left, std::int64_t& top, std::int64_t& right, std::int64_t& bottom);
    void drawThinLine(int x0, int y0, int x1, int y1);
    void drawWideLine(int x0, int y0, int x1, int y1);

    QImage& m_canvas;
    QRgb* m_bits = nullptr;
    qsizetype m_stride = 0; // pixels per line
    int m_width = 0;
    int m_height = 0;
    ReleaseHandler m_onRelease;
    DrawnTiles* m_drawn = nullptr;
    Pen m_pen;
    Brush m_brush;
    QPoint m_position;
    // The touched pixels as an inclusive box, empty while left > right. Plain ints rather than a
    // QRect union keep SetPixel cheap: the range scanner sets millions of pixels.
    int m_touchedLeft = INT_MAX;
    int m_touchedTop = INT_MAX;
    int m_touchedRight = INT_MIN;
    int m_touchedBottom = INT_MIN;
};

// Pixel access is inline: the range scanner reads and sets pixels one by one, millions per run.

constexpr QRgb Surface::toPixel(COLORREF color)
{
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

constexpr COLORREF Surface::toColorRef(QRgb pixel)
{
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}

inline bool Surface::contains(int x, int y) const
{
    // The unsigned casts fold the test for negative coordinates into the upper bound.
    return static_cast<unsigned>(x) < static_cast<unsigned>(m_width)
        && static_cast<unsigned>(y) < static_cast<unsigned>(m_height);
}

inline void Surface::plot(int x, int y, QRgb pixel)
{
    m_bits[y * m_stride + x] = pixel;
    if (m_drawn != nullptr) {
        m_drawn->markPixel(x, y);
    }
    if (x < m_touchedLeft) {
        m_touchedLeft = x;
    }
    if (x > m_touchedRight) {
        m_touchedRight = x;
    }
    if (y < m_touchedTop) {
        m_touchedTop = y;
    }
    if (y > m_touchedBottom) {
        m_touchedBottom = y;
    }
}

inline COLORREF Surface::GetPixel(int x, int y) const
{
    if (!contains(x, y)) {
        return CLR_INVALID;
    }
    return toColorRef(m_bits[y * m_stride + x]);
}

inline COLORREF Surface::SetPixel(int x, int y, COLORREF color)
{
    if (!contains(x, y)) {
        return CLR_INVALID;
    }
    plot(x, y, toPixel(color));
    return color & 0x00FFFFFFu;
}

inline bool Surface::SetPixelV(int x, int y, COLORREF color)
{
    return SetPixel(x, y, color) != CLR_INVALID;
}
