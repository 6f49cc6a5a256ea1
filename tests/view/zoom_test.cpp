// The display zoom and a view that follows the cart, driven through the main window's keys,
// menus, wheel and double-clicks and read back from the screen.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "dialogs/systemdlg.h"
#include "view/blocksums.h"
#include "view/commandids.h"
#include "view/screengrab.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <random>

using namespace cmd;

namespace {

constexpr QRgb kFloor = qRgb(240, 240, 240);
constexpr QRgb kWall = qRgb(255, 0, 0);

TEST(Zoom, LadderFitAndCoordinates)
{
    EXPECT_EQ(Zoom().larger(), (Zoom{2, 1}));
    EXPECT_EQ(Zoom().smaller(), (Zoom{1, 2}));
    EXPECT_EQ((Zoom{1, 32}).smaller(), (Zoom{1, 32}));
    EXPECT_EQ((Zoom{16, 1}).larger(), (Zoom{16, 1}));
    // A fit that is not on the ladder steps to the ladder's neighbours.
    EXPECT_EQ((Zoom{1, 5}).larger(), (Zoom{1, 4}));
    EXPECT_EQ((Zoom{1, 5}).smaller(), (Zoom{1, 6}));
    EXPECT_EQ(Zoom::toFit({8000, 8000}, {1000, 700}), (Zoom{1, 12}));
    EXPECT_EQ(Zoom::toFit({8000, 8000}, {1000, 800}), (Zoom{1, 10}));
    EXPECT_EQ(Zoom::toFit({300, 200}, {1000, 700}), (Zoom{3, 1}));

    const Zoom out{1, 3};
    EXPECT_EQ(out.toCanvas(QPoint(10, 4)), QPoint(30, 12));
    EXPECT_EQ(out.toScreen(QRect(31, 12, 2, 1)), QRect(10, 4, 1, 1));
    EXPECT_EQ(out.toScreen(QSize(10, 9)), QSize(4, 3));
    const Zoom in{4, 1};
    EXPECT_EQ(in.toCanvas(QPoint(7, 8)), QPoint(1, 2));
    EXPECT_EQ(in.toCanvas(QRect(7, 8, 2, 1)), QRect(1, 2, 2, 1));
    EXPECT_EQ(in.toScreen(QRect(1, 2, 2, 1)), QRect(4, 8, 8, 4));
}

TEST(Zoom, MeanOfBlocksKeepsAThinWallVisible)
{
    QImage canvas(9, 5, QImage::Format_RGB32);
    canvas.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 5; ++y) {
        canvas.setPixel(4, y, qRgb(255, 0, 0));
    }
    const QImage shown = meanOfBlocks(canvas, QRect(0, 0, 3, 2), 3);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 255, 255));
    // One red column of three: two thirds of green and blue are left.
    EXPECT_EQ(shown.pixel(1, 0), qRgb(255, 170, 170));
    // The last row of blocks has only two canvas rows; the mean is over those.
    EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 170, 170));
}

class ZoomTest : public AppFixture {
protected:
    void startOnMap(QSize size, const QByteArray& extraIni = {})
    {
        QImage map(size, QImage::Format_RGB32);
        map.fill(kFloor);
        QPainter(&map).fillRect(QRect(size.width() / 2, 0, 1, size.height()), QColor(kWall));
        ASSERT_TRUE(map.save(QDir(dir()).filePath("mapa.bmp"), "BMP"));
        writeFile("tav.ini", "[TAV]\nDialogs=0\nDefault=1\n[Velmora]\nDialogs=0\n" + extraIni);
        ASSERT_TRUE(startProgram());
        frame().resize(900, 700);
        QApplication::processEvents();
        view().m_delayMs = 0;
    }
    void key(int keyCode)
    {
        QTest::keyClick(&frame(), Qt::Key(keyCode), Qt::ControlModifier);
        QApplication::processEvents();
    }
    // The screen's pixel at a viewport position.
    QRgb screenPixel(QPoint viewportPoint)
    {
        const QImage shown = grabShownView(view());
        return shown.pixel(viewportPoint);
    }
    QPoint viewportPointOf(QPoint canvasPoint)
    {
        return view().widget()->mapTo(view().viewport(), view().zoom().toScreen(QRect(canvasPoint, QSize(1, 1))).topLeft());
    }
};

} // namespace

TEST_F(ZoomTest, KeysZoomTheDisplayOnlyAndThePointerStillReportsCanvasPixels)
{
    startOnMap({600, 400});
    const QImage canvasBefore = view().canvas().copy();
    key(Qt::Key_Plus);
    EXPECT_EQ(view().zoom(), (Zoom{2, 1}));
    key(Qt::Key_Equal);
    EXPECT_EQ(view().zoom(), (Zoom{3, 1}));
    EXPECT_EQ(view().canvas(), canvasBefore);

    // Zoomed in, a canvas pixel is a sharp 3 x 3 square on the screen.
    view().horizontalScrollBar()->setValue(3 * 300 - 100);
    view().verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    const QPoint wall = viewportPointOf(QPoint(300, 50));
    ASSERT_TRUE(view().viewport()->rect().contains(wall));
    EXPECT_EQ(screenPixel(wall), kWall);
    EXPECT_EQ(screenPixel(wall + QPoint(2, 2)), kWall);
    EXPECT_EQ(screenPixel(wall + QPoint(3, 0)), kFloor);
    EXPECT_EQ(screenPixel(wall - QPoint(1, 0)), kFloor);

    // The pointer and a double-click give canvas pixels.
    QWidget* canvas = view().widget();
    const QPoint onWidget = view().zoom().toScreen(QRect(QPoint(305, 40), QSize(1, 1))).topLeft() + QPoint(1, 2);
    QTest::mouseMove(canvas, onWidget);
    EXPECT_TRUE(frame().paneText().startsWith("Mouse:[305 40]")) << frame().paneText().toStdString();
    QTest::mouseDClick(canvas, Qt::LeftButton, {}, onWidget);
    EXPECT_EQ(view().m_startEndDlg.m_startX, 305);
    EXPECT_EQ(view().m_startEndDlg.m_startY, 40);

    key(Qt::Key_0);
    EXPECT_EQ(view().zoom(), Zoom());
    EXPECT_TRUE(screenShowsCanvas());
}

TEST_F(ZoomTest, FitToWindowShowsTheWholeMapSmoothedAndZoomOutStepsDown)
{
    startOnMap({3000, 2400});
    ASSERT_TRUE(run(ID_FIT_TO_WINDOW));
    const Zoom fit = view().zoom();
    EXPECT_EQ(fit.in, 1);
    EXPECT_GT(fit.out, 1);
    // The whole canvas fits in the viewport: no scrolling is left.
    EXPECT_EQ(view().horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view().verticalScrollBar()->maximum(), 0);
    EXPECT_TRUE(view().visibleCanvasRect().contains(QRect(QPoint(0, 0), view().canvas().size())));
    // The one-pixel wall is not lost: it tints its column of blocks.
    const QPoint wall = viewportPointOf(QPoint(1500, 1000));
    const QRgb tinted = screenPixel(wall);
    EXPECT_EQ(qRed(tinted), (240 * (fit.out - 1) + 255 + fit.out / 2) / fit.out) << std::hex << tinted;
    EXPECT_LT(qGreen(tinted), 240);
    EXPECT_EQ(screenPixel(wall + QPoint(2, 0)), kFloor);

    ASSERT_TRUE(run(ID_ZOOM_OUT));
    EXPECT_LT(view().zoom().factor(), fit.factor());
}

TEST_F(ZoomTest, CtrlWheelZoomsAtThePointerAndThePlainWheelScrolls)
{
    startOnMap({2000, 2000});
    QWidget* viewport = view().viewport();
    const QPoint at(200, 150);
    const QPoint canvasBefore = view().zoom().toCanvas(at - view().widget()->pos());
    QWheelEvent zoomIn(QPointF(at), viewport->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &zoomIn);
    EXPECT_EQ(view().zoom(), (Zoom{2, 1}));
    EXPECT_EQ(view().zoom().toCanvas(at - view().widget()->pos()), canvasBefore);

    const int scrolled = view().verticalScrollBar()->value();
    QWheelEvent scroll(QPointF(at), viewport->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &scroll);
    EXPECT_EQ(view().zoom(), (Zoom{2, 1}));
    EXPECT_GT(view().verticalScrollBar()->value(), scrolled);
}

TEST_F(ZoomTest, ARunKeepsTheCartInSightAndTheScreenTrue)
{
    startOnMap({3000, 2400}, "[DefaultValues]\nStartPossitionX=100\nStartPossitionY=100\n"
                             "EndPossitionX=1400\nEndPossitionY=1600\nDosahScanerra=100\ndf_Str=10\n");
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_ANIMUJ));
    const QPoint cart(view().m_cartX, view().m_cartY);
    ASSERT_GT(cart.y(), 1000);
    EXPECT_TRUE(view().visibleCanvasRect().contains(cart));
    EXPECT_TRUE(screenShowsCanvas());
}

TEST_F(ZoomTest, ACartOffTheCanvasKeepsItsNearestCornerInSight)
{
    startOnMap({3000, 2400});
    const QPoint corner(view().canvas().width() - 1, view().canvas().height() - 1);
    for (int i = 0; i < 2; ++i) {
        view().keepInSight(QPoint(2147438017, 2147438017));
        EXPECT_TRUE(view().visibleCanvasRect().contains(corner)) << "call " << i;
    }
    view().keepInSight(QPoint(-2147438017, 100));
    EXPECT_TRUE(view().visibleCanvasRect().contains(QPoint(0, 100)));
}

TEST(Zoom, BlockSumsGiveTheMeansOfBlocksBeforeAndAfterTheCanvasChanges)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> channel(0, 255);
    // Sizes cut at the blocks' edges, and screens that reach beyond the zoomed canvas.
    const struct {
        QSize canvas;
        int out;
        QRect screen;
    } cases[] = {{{203, 157}, 8, {0, 0, 26, 20}},   {{203, 157}, 12, {3, 2, 40, 40}}, {{64, 64}, 32, {0, 0, 2, 2}},
                 {{999, 1001}, 28, {0, 0, 36, 36}}, {{5, 3}, 16, {0, 0, 3, 3}},
                 {{400, 90}, 24, {10, 0, 9, 9}}};
    for (const auto& c : cases) {
        QImage canvas(c.canvas, QImage::Format_RGB32);
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                canvas.setPixel(x, y, qRgb(channel(random), channel(random), channel(random)));
            }
        }
        BlockSums sums;
        sums.build(canvas);
        EXPECT_EQ(sums.meanOfBlocks(c.screen, c.out), meanOfBlocks(canvas, c.screen, c.out)) << c.out;
        const QRect changed(c.canvas.width() / 3, 1, c.canvas.width() / 2, c.canvas.height() - 2);
        QPainter(&canvas).fillRect(changed, QColor(10, 200, 30));
        sums.update(canvas, changed);
        EXPECT_EQ(sums.meanOfBlocks(c.screen, c.out), meanOfBlocks(canvas, c.screen, c.out)) << c.out << " changed";
    }
}

TEST_F(ZoomTest, FarOutTheScreenShowsTheMeansOfWhatARunDrew)
{
    startOnMap({3000, 2400}, "[DefaultValues]\nStartPossitionX=100\nStartPossitionY=100\n"
                             "EndPossitionX=1400\nEndPossitionY=1600\nDosahScanerra=300\ndf_Str=10\n");
    g_systemDlg.m_scannerTrace = 1;
    const auto screenShowsMeans = [this] {
        QApplication::processEvents();
        const QRect screen(-view().widget()->pos(), view().viewport()->size());
        const QImage shown = grabShownView(view());
        return shown == meanOfBlocks(view().canvas(), screen, view().zoom().out).convertToFormat(shown.format());
    };
    // Each zoom shows what was drawn at the one before, then a run of its own on another sine;
    // 1/6 and 1/10 are averaged straight from the canvas, between levels the view keeps sums for.
    int amplitude = 40;
    for (const Zoom zoom : {Zoom{1, 8}, Zoom{1, 6}, Zoom{1, 12}, Zoom{1, 10}, Zoom{1, 16}}) {
        view().setZoom(zoom, QPoint(0, 0));
        view().m_amplitude = amplitude += 60;
        EXPECT_TRUE(screenShowsMeans()) << "on coming to 1/" << zoom.out;
        ASSERT_TRUE(run(ID_START_CIEL));
        ASSERT_TRUE(run(ID_SIN_2PI));
        ASSERT_TRUE(run(ID_ANIMUJ));
        EXPECT_TRUE(screenShowsMeans()) << "after a run at 1/" << zoom.out;
    }
}
