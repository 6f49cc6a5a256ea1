#include "view/pageprint.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

TEST(PagePrint, CanvasIsScaledToFitThePageKeepingItsProportions)
{
    QImage canvas(200, 100, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 255, 255));
    canvas.setPixel(0, 0, qRgb(255, 0, 0));
    for (int y = 0; y < 100; ++y) {
        canvas.setPixel(199, y, qRgb(0, 0, 255));
    }
    QImage page(1000, 1400, QImage::Format_RGB32);
    page.fill(qRgb(0, 0, 0));
    {
        QPainter painter(&page);
        paintCanvasOnPage(painter, QRect(100, 100, 800, 1200), canvas);
    }
    // 200 x 100 fills the 800-pixel width at four times its size: 800 x 400 from (100, 100).
    EXPECT_EQ(page.pixel(101, 101), qRgb(255, 0, 0));
    EXPECT_EQ(page.pixel(898, 300), qRgb(0, 0, 255));
    EXPECT_EQ(page.pixel(500, 300), qRgb(255, 255, 255));
    EXPECT_EQ(page.pixel(500, 510), qRgb(0, 0, 0));
    EXPECT_EQ(page.pixel(50, 300), qRgb(0, 0, 0));
}
