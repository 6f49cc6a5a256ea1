#include "platform/surface.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>
#include <functional>
#include <set>
#include <utility>
#include <vector>

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

QImage makeCanvas(QRgb fill = White, int width = 40, int height = 30)
{
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(fill);
    return canvas;
}

Pixels pixelsOf(const QImage& canvas, QRgb colour)
{
    Pixels pixels;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) == colour) {
                pixels.insert({x, y});
            }
        }
    }
    return pixels;
}

// The bounding box of the pixels that are not the background colour.
QRect extent(const QImage& canvas, QRgb background)
{
    QRect box;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (canvas.pixel(x, y) != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

Pixels drawLine(QPoint from, QPoint to, int width = 40, int height = 30)
{
    QImage canvas = makeCanvas(White, width, height);
    {
        Surface surface(canvas);
        surface.MoveTo(from.x(), from.y());
        surface.LineTo(to.x(), to.y());
    }
    return pixelsOf(canvas, Black);
}

} // namespace

TEST(SurfacePixels, ConvertsBetweenColorrefAndCanvasPixels)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    EXPECT_EQ(surface.SetPixel(3, 4, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(canvas.pixel(3, 4), qRgb(10, 20, 30));
    EXPECT_EQ(surface.GetPixel(3, 4), RGB(10, 20, 30));
    EXPECT_TRUE(surface.SetPixelV(39, 29, RGB(255, 0, 0)));
    EXPECT_EQ(canvas.pixel(39, 29), Red);
    EXPECT_EQ(surface.GetPixel(0, 0), RGB(255, 255, 255));
}

TEST(SurfacePixels, OutsideTheCanvasReadsInvalidAndDrawsNothing)
{
    QImage canvas = makeCanvas();
    const QImage before = canvas.copy();
    bool released = false;
    {
        Surface surface(canvas, [&released](const QRect&) { released = true; });
        const std::vector<QPoint> outside = {{-1, 0}, {0, -1}, {40, 0}, {0, 30}, {40, 30},
                                             {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, 5}};
        for (const QPoint& point : outside) {
            EXPECT_EQ(surface.GetPixel(point.x(), point.y()), CLR_INVALID);
            EXPECT_EQ(surface.SetPixel(point.x(), point.y(), RGB(0, 0, 0)), CLR_INVALID);
            EXPECT_FALSE(surface.SetPixelV(point.x(), point.y(), RGB(0, 0, 0)));
        }
        EXPECT_TRUE(surface.touched().isEmpty());
    }
    EXPECT_EQ(canvas, before);
    EXPECT_FALSE(released);
}

TEST(SurfaceSelect, ReturnsThePreviousPenAndBrushStartingFromTheDefaults)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    const Pen green{PenStyle::DashDotDot, 5, RGB(0, 255, 0)};
    const Pen defaultPen = surface.SelectPen(green);
    EXPECT_EQ(defaultPen.style, PenStyle::Solid);
    EXPECT_EQ(defaultPen.width, 1);
    EXPECT_EQ(defaultPen.color, RGB(0, 0, 0));
    const Pen previousPen = surface.SelectPen(defaultPen);
    EXPECT_EQ(previousPen.style, green.style);
    EXPECT_EQ(previousPen.width, green.width);
    EXPECT_EQ(previousPen.color, green.color);

    const Brush hatch{Brush::Kind::Hatched, HatchStyle::DiagCross, RGB(255, 0, 0)};
    const Brush defaultBrush = surface.SelectBrush(hatch);
    EXPECT_EQ(defaultBrush.kind, Brush::Kind::Solid);
    EXPECT_EQ(defaultBrush.color, RGB(255, 255, 255));
    const Brush previousBrush = surface.SelectBrush(defaultBrush);
    EXPECT_EQ(previousBrush.kind, hatch.kind);
    EXPECT_EQ(previousBrush.hatch, hatch.hatch);
    EXPECT_EQ(previousBrush.color, hatch.color);
}

TEST(SurfaceLine, ExcludesTheEndPointAndMovesThePosition)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    EXPECT_EQ(surface.MoveTo(0, 0), QPoint(0, 0));
    EXPECT_TRUE(surface.LineTo(5, 0));
    EXPECT_EQ(pixelsOf(canvas, Black), (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
    EXPECT_EQ(surface.MoveTo(7, 7), QPoint(5, 0));

    // A polyline: each segment starts on the end point the previous one left out.
    surface.MoveTo(10, 2);
    surface.LineTo(13, 2);
    surface.LineTo(13, 5);
    EXPECT_EQ(canvas.pixel(13, 2), Black);
    EXPECT_EQ(canvas.pixel(13, 4), Black);
    EXPECT_EQ(canvas.pixel(13, 5), White);
    EXPECT_EQ(surface.MoveTo(0, 0), QPoint(13, 5));

    // To the current position itself: nothing to draw.
    surface.MoveTo(20, 20);
    surface.LineTo(20, 20);
    EXPECT_EQ(canvas.pixel(20, 20), White);
}

TEST(SurfaceLine, SetsOnePixelPerStepNearestTheLine)
{
    EXPECT_EQ(drawLine({5, 10}, {5, 4}), (Pixels{{5, 10}, {5, 9}, {5, 8}, {5, 7}, {5, 6}, {5, 5}}));
    EXPECT_EQ(drawLine({10, 10}, {14, 6}), (Pixels{{10, 10}, {11, 9}, {12, 8}, {13, 7}}));
    EXPECT_EQ(drawLine({20, 2}, {23, 9}),
              (Pixels{{20, 2}, {20, 3}, {21, 4}, {21, 5}, {22, 6}, {22, 7}, {23, 8}}));
    EXPECT_EQ(drawLine({2, 20}, {9, 23}),
              (Pixels{{2, 20}, {3, 20}, {4, 21}, {5, 21}, {6, 22}, {7, 22}, {8, 23}}));
}

TEST(SurfaceLine, DrawnBackwardsCoversTheSamePixels)
{
    // Including lines that pass exactly half way between two pixels.
    const std::vector<std::pair<QPoint, QPoint>> lines = {
        {{0, 0}, {4, 1}}, {{3, 3}, {17, 12}}, {{1, 25}, {30, 2}}, {{6, 1}, {9, 29}}};
    for (const auto& [a, b] : lines) {
        Pixels forwards = drawLine(a, b);
        forwards.insert({b.x(), b.y()});
        Pixels backwards = drawLine(b, a);
        backwards.insert({a.x(), a.y()});
        EXPECT_EQ(forwards, backwards) << a.x() << "," << a.y() << " - " << b.x() << "," << b.y();
    }
}

TEST(SurfaceLine, PenColourAndNullPen)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    surface.SelectPen(Pen{PenStyle::Solid, 1, RGB(255, 0, 0)});
    surface.MoveTo(2, 2);
    surface.LineTo(12, 7);
    EXPECT_EQ(pixelsOf(canvas, Red).size(), 10u);
    EXPECT_EQ(surface.GetPixel(2, 2), RGB(255, 0, 0));

    const QImage before = canvas.copy();
    surface.SelectPen(Pen{PenStyle::Null, 1, RGB(0, 0, 0)});
    surface.MoveTo(0, 20);
    EXPECT_TRUE(surface.LineTo(30, 20));
    EXPECT_EQ(canvas, before);
    EXPECT_EQ(surface.MoveTo(0, 0), QPoint(30, 20));
}

TEST(SurfaceLine, ClippingKeepsThePixelsOnTheCanvas)
{
    // The same lines drawn whole on a large canvas, shifted so that they fit on it, must show
    // the same pixels in the window that the small canvas covers.
    const QPoint shift(300, 300);
    const std::vector<std::pair<QPoint, QPoint>> lines = {
        {{-250, -200}, {260, 215}}, {{35, -280}, {5, 290}}, {{-290, 17}, {280, 12}},
        {{270, 29}, {-270, 0}}};
    for (const auto& [a, b] : lines) {
        const Pixels clipped = drawLine(a, b);
        Pixels window;
        for (const auto& [x, y] : drawLine(a + shift, b + shift, 600, 600)) {
            const int cx = x - shift.x();
            const int cy = y - shift.y();
            if (cx >= 0 && cx < 40 && cy >= 0 && cy < 30) {
                window.insert({cx, cy});
            }
        }
        EXPECT_FALSE(clipped.empty());
        EXPECT_EQ(clipped, window) << a.x() << "," << a.y() << " - " << b.x() << "," << b.y();
    }
}

TEST(SurfaceLine, HugeCoordinatesAreClipped)
{
    Pixels diagonal;
    for (int i = 0; i < 30; ++i) {
        diagonal.insert({i, i});
    }
    EXPECT_EQ(drawLine({-2147483647, -2147483647}, {2147483647, 2147483647}), diagonal);
    EXPECT_TRUE(drawLine({INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}).empty());
    EXPECT_EQ(drawLine({INT_MIN, 7}, {INT_MAX, 7}).size(), 40u);

    QImage canvas = makeCanvas();
    Surface surface(canvas);
    surface.SelectPen(Pen{PenStyle::Solid, 5, RGB(0, 0, 0)});
    surface.MoveTo(INT_MIN, INT_MIN);
    surface.LineTo(INT_MAX, INT_MAX);
    surface.LineTo(INT_MIN, INT_MAX);
    EXPECT_EQ(canvas.pixel(10, 10), Black);
    EXPECT_EQ(canvas.pixel(30, 5), White);
}

TEST(SurfaceLine, FarEndPointsGiveTheSamePixelsAsNearOnes)
{
    // Lines through (10, 5) whose end points lie near the int limits: the step products then
    // pass 64 bits, yet the pixels on the canvas must be those of the same line drawn short.
    const QPoint through(10, 5);
    const std::vector<QPoint> directions = {{3, 2}, {2, 3}, {3, -2}, {-3, 2}, {7, 6}, {-6, -7}, {5, -4}, {9, 1}};
    for (const QPoint d : directions) {
        const int far = (INT_MAX - 20) / std::max(std::abs(d.x()), std::abs(d.y()));
        const Pixels near = drawLine(through - 12 * d, through + 12 * d);
        EXPECT_FALSE(near.empty());
        EXPECT_EQ(drawLine(through - far * d, through + far * d), near) << d.x() << "," << d.y();
        EXPECT_EQ(drawLine(through - far * d, through + 12 * d), near) << d.x() << "," << d.y();
        EXPECT_EQ(drawLine(through - 12 * d, through + far * d), near) << d.x() << "," << d.y();
    }
}

TEST(SurfaceRectangle, OutlineExcludesRightAndBottomAndBrushFillsTheInside)
{
    QImage canvas = makeCanvas(Red);
    Surface surface(canvas);
    surface.Rectangle(5, 4, 15, 12);
    EXPECT_EQ(extent(canvas, Red), QRect(QPoint(5, 4), QPoint(14, 11)));
    for (int x = 5; x <= 14; ++x) {
        EXPECT_EQ(canvas.pixel(x, 4), Black);
        EXPECT_EQ(canvas.pixel(x, 11), Black);
    }
    for (int y = 4; y <= 11; ++y) {
        EXPECT_EQ(canvas.pixel(5, y), Black);
        EXPECT_EQ(canvas.pixel(14, y), Black);
    }
    // The default brush is solid white.
    EXPECT_EQ(pixelsOf(canvas, White).size(), 8u * 6u);

    surface.SelectBrush(Brush{Brush::Kind::Solid, HatchStyle::Horizontal, RGB(0, 0, 255)});
    surface.Rectangle(20, 20, 30, 25);
    EXPECT_EQ(pixelsOf(canvas, Blue).size(), 8u * 3u);

    // With the null pen only the fill is drawn, one pixel narrower and lower, as in GDI.
    QImage filled = makeCanvas(Red);
    Surface nullPen(filled);
    nullPen.SelectPen(Pen{PenStyle::Null, 1, RGB(0, 0, 0)});
    nullPen.Rectangle(5, 4, 15, 12);
    EXPECT_EQ(extent(filled, Red), QRect(QPoint(5, 4), QPoint(13, 10)));
    EXPECT_EQ(pixelsOf(filled, White).size(), 9u * 7u);
}

TEST(SurfaceEllipse, InscribedInTheBoxAndFilledWithTheBrush)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    surface.SelectBrush(Brush{Brush::Kind::Solid, HatchStyle::Horizontal, RGB(255, 0, 0)});
    surface.Ellipse(4, 3, 20, 15);
    EXPECT_EQ(extent(canvas, White), QRect(QPoint(4, 3), QPoint(19, 14)));
    EXPECT_EQ(canvas.pixel(12, 9), Red);
    EXPECT_EQ(canvas.pixel(4, 3), White);
    EXPECT_EQ(canvas.pixel(19, 14), White);
    EXPECT_FALSE(pixelsOf(canvas, Black).empty());

    QImage hollow = makeCanvas(Blue);
    Surface outline(hollow);
    outline.SelectBrush(Brush{Brush::Kind::Hollow, HatchStyle::Horizontal, RGB(255, 0, 0)});
    outline.Ellipse(4, 3, 20, 15);
    EXPECT_EQ(extent(hollow, Blue), QRect(QPoint(4, 3), QPoint(19, 14)));
    EXPECT_EQ(hollow.pixel(12, 9), Blue);
}

TEST(SurfaceEllipse, HatchBrushDrawsItsLinesOverWhite)
{
    const HatchStyle styles[] = {HatchStyle::Horizontal, HatchStyle::Vertical,
                                 HatchStyle::FDiagonal, HatchStyle::BDiagonal,
                                 HatchStyle::Cross, HatchStyle::DiagCross};
    for (const HatchStyle style : styles) {
        QImage canvas = makeCanvas(Blue);
        {
            Surface surface(canvas);
            surface.SelectBrush(Brush{Brush::Kind::Hatched, style, RGB(255, 0, 0)});
            surface.Ellipse(2, 2, 38, 28);
        }
        int red = 0;
        int white = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                // Well inside the outline of the ellipse centred at (19.5, 14.5).
                const double u = (x - 19.5) / 17.5;
                const double v = (y - 14.5) / 12.5;
                if (u * u + v * v > 0.7) {
                    continue;
                }
                const QRgb pixel = canvas.pixel(x, y);
                EXPECT_TRUE(pixel == Red || pixel == White)
                    << int(style) << " at " << x << "," << y;
                red += pixel == Red;
                white += pixel == White;
            }
        }
        EXPECT_GT(red, 20) << int(style);
        EXPECT_GT(white, 20) << int(style);
        EXPECT_EQ(canvas.pixel(0, 0), Blue);
    }
}

TEST(SurfaceWidePen, DrawsSolidLinesAsWideAsThePen)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    const QRgb green = qRgb(0, 255, 0);
    surface.SelectPen(Pen{PenStyle::DashDotDot, 5, RGB(0, 255, 0)});
    surface.MoveTo(5, 15);
    surface.LineTo(33, 15);
    // Solid whatever the style, and the round end covers the end point.
    for (int x = 5; x <= 33; ++x) {
        EXPECT_EQ(canvas.pixel(x, 15), green) << x;
    }
    int thickness = 0;
    for (int y = 0; y < 30; ++y) {
        thickness += canvas.pixel(20, y) == green;
    }
    EXPECT_GE(thickness, 4);
    EXPECT_LE(thickness, 6);
    EXPECT_EQ(canvas.pixel(20, 13), green);
    EXPECT_EQ(canvas.pixel(20, 17), green);
    const QRect box = extent(canvas, White);
    EXPECT_GE(box.left(), 2);
    EXPECT_LE(box.right(), 36);
    EXPECT_EQ(pixelsOf(canvas, green).size() + pixelsOf(canvas, White).size(), 40u * 30u);
}

TEST(SurfaceWidePen, OutlinesShapesSolidlyAlongTheEdge)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    surface.SelectPen(Pen{PenStyle::Dot, 2, RGB(0, 0, 0)});
    surface.SelectBrush(Brush{Brush::Kind::Hollow, HatchStyle::Horizontal, RGB(0, 0, 0)});
    surface.Ellipse(5, 5, 35, 25);
    // Every ray from the centre crosses the outline: no gaps of a dotted pattern.
    for (int step = 0; step < 72; ++step) {
        const double angle = step * 2.0 * std::numbers::pi / 72.0;
        bool crossed = false;
        for (double r = 0.0; r < 20.0 && !crossed; r += 0.25) {
            const int x = int(std::floor(20.0 + r * std::cos(angle)));
            const int y = int(std::floor(15.0 + r * std::sin(angle)));
            crossed = x >= 0 && x < 40 && y >= 0 && y < 30 && canvas.pixel(x, y) == Black;
        }
        EXPECT_TRUE(crossed) << step;
    }
    const QRect box = extent(canvas, White);
    EXPECT_GE(box.left(), 3);
    EXPECT_LE(box.right(), 36);

    // A 5-pixel outline of a rectangle is centred on its edge.
    QImage framed = makeCanvas();
    Surface frame(framed);
    frame.SelectPen(Pen{PenStyle::Solid, 5, RGB(0, 0, 0)});
    frame.Rectangle(10, 8, 31, 23);
    int thickness = 0;
    for (int x = 0; x < 20; ++x) {
        thickness += framed.pixel(x, 15) == Black;
    }
    EXPECT_GE(thickness, 4);
    EXPECT_LE(thickness, 6);
    EXPECT_EQ(framed.pixel(10, 15), Black);
    EXPECT_EQ(framed.pixel(20, 15), White);
}

TEST(SurfaceText, BlackTextOnAWhiteBoxFromThePoint)
{
    QImage canvas = makeCanvas(Red);
    Surface surface(canvas);
    EXPECT_TRUE(surface.TextOut(5, 6, "Hg"));
    const QRect box = extent(canvas, Red);
    EXPECT_EQ(box.topLeft(), QPoint(5, 6));
    EXPECT_GE(box.height(), 10);
    EXPECT_LE(box.height(), 20);
    EXPECT_EQ(surface.touched(), box);
    int black = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            const QRgb pixel = canvas.pixel(x, y);
            EXPECT_TRUE(pixel == Black || pixel == White) << x << "," << y;
            black += pixel == Black;
        }
    }
    EXPECT_GT(black, 10);
}

TEST(SurfaceText, DecodesUtf8)
{
    const auto boxOf = [](std::string_view text) {
        QImage canvas = makeCanvas(Red);
        Surface surface(canvas);
        surface.TextOut(0, 0, text);
        return extent(canvas, Red);
    };
    // "ó" in UTF-8 is one glyph; read byte by byte it would be the two glyphs "Ã³".
    EXPECT_LT(boxOf("\xC3\xB3").width(), boxOf("\xC3\x83\xC2\xB3").width());
    EXPECT_TRUE(boxOf("").isEmpty());
}

TEST(SurfaceHuge, ShapesAndTextFarOutsideAreClipped)
{
    QImage canvas = makeCanvas();
    Surface surface(canvas);
    surface.SelectBrush(Brush{Brush::Kind::Solid, HatchStyle::Horizontal, RGB(255, 0, 0)});
    surface.Ellipse(-2147483647, -2147483647, 2147483647, 2147483647);
    EXPECT_EQ(pixelsOf(canvas, Red).size(), 40u * 30u);

    surface.SelectBrush(Brush{Brush::Kind::Solid, HatchStyle::Horizontal, RGB(0, 0, 255)});
    surface.SelectPen(Pen{PenStyle::Solid, 5, RGB(0, 0, 0)});
    surface.Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(pixelsOf(canvas, Blue).size(), 40u * 30u);

    // Wholly outside: nothing changes.
    const QImage before = canvas.copy();
    surface.Ellipse(INT_MIN, INT_MIN, INT_MIN + 10, INT_MIN + 10);
    surface.Ellipse(INT_MAX - 10, 0, INT_MAX, 10);
    surface.Rectangle(INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX);
    surface.Rectangle(-20, -20, -5, 25);
    surface.TextOut(INT_MAX, INT_MAX, "E");
    surface.TextOut(INT_MIN, INT_MIN, "E");
    surface.TextOut(-100, 5, "E");
    EXPECT_EQ(canvas, before);

    // Edges far outside, with a hatch: the visible part is still hatch over white.
    surface.SelectPen(Pen{});
    surface.SelectBrush(Brush{Brush::Kind::Hatched, HatchStyle::DiagCross, RGB(255, 0, 0)});
    surface.Ellipse(-2147483647, -2147483647, 2147483647, 100);
    EXPECT_EQ(pixelsOf(canvas, Red).size() + pixelsOf(canvas, White).size(), 40u * 30u);
    EXPECT_FALSE(pixelsOf(canvas, Red).empty());
    surface.Rectangle(-2147483647, 10, 2147483647, 2147483647);
    for (int x = 0; x < 40; ++x) {
        EXPECT_EQ(canvas.pixel(x, 10), Black);
        EXPECT_NE(canvas.pixel(x, 9), Black);
    }
}

TEST(SurfaceRelease, ReportsTheTouchedRectangleOnce)
{
    QImage canvas = makeCanvas();
    std::vector<QRect> reports;
    const auto record = [&reports](const QRect& rect) { reports.push_back(rect); };
    {
        Surface surface(canvas, record);
    }
    EXPECT_TRUE(reports.empty());
    {
        Surface surface(canvas, record);
        surface.SetPixel(3, 4, RGB(0, 0, 0));
        surface.SetPixel(10, 2, RGB(0, 0, 0));
    }
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], QRect(QPoint(3, 2), QPoint(10, 4)));
    {
        Surface surface(canvas, record);
        surface.Rectangle(-10, -10, 5, 5);
        surface.SetPixel(50, 50, RGB(0, 0, 0));
    }
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_TRUE(canvas.rect().contains(reports[1]));
    EXPECT_TRUE(reports[1].contains(QRect(0, 0, 5, 5)));
}

TEST(SurfaceRelease, TouchedCoversEveryChangedPixel)
{
    const std::vector<std::function<void(Surface&)>> drawings = {
        [](Surface& s) { s.MoveTo(-5, 40); s.LineTo(45, -3); },
        [](Surface& s) {
            s.SelectPen(Pen{PenStyle::Solid, 5, RGB(0, 0, 0)});
            s.MoveTo(3, 3);
            s.LineTo(30, 20);
        },
        [](Surface& s) {
            s.SelectPen(Pen{PenStyle::Dot, 2, RGB(0, 0, 0)});
            s.SelectBrush(Brush{Brush::Kind::Hatched, HatchStyle::DiagCross, RGB(255, 0, 0)});
            s.Ellipse(25, 10, 60, 45);
        },
        [](Surface& s) {
            s.SelectPen(Pen{PenStyle::Solid, 7, RGB(0, 0, 0)});
            s.SelectBrush(Brush{Brush::Kind::Solid, HatchStyle::Horizontal, RGB(0, 0, 255)});
            s.Rectangle(8, 6, 20, 14);
        },
        [](Surface& s) { s.TextOut(30, 20, "Ag"); },
        [](Surface& s) {
            QImage map(10, 10, QImage::Format_RGB32);
            map.fill(qRgb(0, 0, 255));
            s.DrawImage(35, 25, map);
        },
    };
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        QImage canvas = makeCanvas();
        QRect touched;
        {
            Surface surface(canvas, [&touched](const QRect& rect) { touched = rect; });
            drawings[i](surface);
        }
        const QRect changed = extent(canvas, White);
        EXPECT_FALSE(changed.isEmpty()) << i;
        EXPECT_TRUE(touched.contains(changed)) << i;
        EXPECT_TRUE(canvas.rect().contains(touched)) << i;
    }
}
