#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

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
// Pixels outside the canvas are ignored when drawn and read as CLR_INVALID.
// When the surface is released (destroyed) it reports the rectangle it touched, so the widget
// can show just that part.
class Surface {
public:
    using ReleaseHandler = std::function<void(const QRect& touched)>;

    explicit Surface(QImage& canvas, ReleaseHandler onRelease = {});
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
    // Fills a rectangle (right and bottom excluded) with a colour, ignoring the pen.
    void FillRect(const QRect& rect, COLORREF color);

    QImage& canvas() { return m_canvas; }
    QRect touched() const { return m_touched; }

private:
    void touch(const QRect& rect);

    QImage& m_canvas;
    ReleaseHandler m_onRelease;
    Pen m_pen;
    Brush m_brush;
    QPoint m_position;
    QRect m_touched;
};
