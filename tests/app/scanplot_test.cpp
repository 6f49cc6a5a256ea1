// The "Scanner" dock: off at first, shown from the View menu, kept for the next start, drawing
// the last sweep as seen from the cart, and never touching the map's canvas.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "app/scanplot.h"
#include "app/windowplacement.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QDockWidget>
#include <QPainter>

using namespace cmd;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);

class ScanPlotTest : public AppFixture {
protected:
    // A white map with a red wall 60 pixels ahead of the cart at (300, 300), heading 0 (right).
    void startFacingAWall()
    {
        QImage map(800, 600, QImage::Format_RGB32);
        map.fill(Qt::white);
        QPainter(&map).fillRect(QRect(360, 0, 10, 600), Qt::red);
        ASSERT_TRUE(map.save(QDir(dir()).filePath("mapa.bmp"), "BMP"));
        writeFile("tav.ini", "[TAV]\nDialogs=0\nDefault=1\n[DefaultValues]\nStartPossitionX=300\n"
                             "StartPossitionY=300\nDosahScanerra=120\ndf_Str=4\n");
        ASSERT_TRUE(startProgram());
        ASSERT_TRUE(run(ID_START_CIEL));
    }
    QDockWidget* dock() { return frame().findChild<QDockWidget*>(); }
    QImage plot()
    {
        QApplication::processEvents();
        return dock()->widget()->grab().toImage();
    }
};

} // namespace

TEST_F(ScanPlotTest, OffAtFirstTheViewMenuShowsItAndTheNextStartKeepsIt)
{
    ASSERT_TRUE(startProgram());
    ASSERT_NE(dock(), nullptr);
    EXPECT_FALSE(dock()->isVisible());
    EXPECT_FALSE(frame().action(ID_VIEW_SCANNER)->isChecked());
    ASSERT_TRUE(run(ID_VIEW_SCANNER));
    EXPECT_TRUE(dock()->isVisible());
    EXPECT_TRUE(frame().action(ID_VIEW_SCANNER)->isChecked());
    rememberWindowPlacement(frame());

    std::unique_ptr<CMainFrame> next = startAnother();
    ASSERT_TRUE(next);
    EXPECT_TRUE(next->findChild<QDockWidget*>()->isVisible());
    EXPECT_TRUE(next->action(ID_VIEW_SCANNER)->isChecked());
}

TEST_F(ScanPlotTest, TheRayAheadEndsAtItsHitTheHeadingUp)
{
    startFacingAWall();
    // Shown after the sweep, the dock starts from it.
    ASSERT_TRUE(run(ID_SCANNER));
    ASSERT_TRUE(run(ID_VIEW_SCANNER));
    const QImage shown = plot();
    // The map keeps most of the window; the dock is taller than wide, and the half-disc fills
    // its width in the middle of its height, the cart at the centre of the straight edge.
    EXPECT_LT(dock()->width() * 3, frame().width());
    ASSERT_GT(shown.height(), shown.width());
    const int radius = shown.width() / 2 - 18;
    const int cx = shown.width() / 2;
    const int cy = (shown.height() + radius) / 2;
    EXPECT_EQ(shown.pixel(cx, cy - radius - 4), kWhite);
    EXPECT_EQ(shown.pixel(cx, cy + 4), kWhite);
    // The ray straight ahead (up) hits the wall at 60 of 120 pixels: drawn up to half the
    // radius, with the hit marked there, nothing beyond.
    // Green rays and red hits, antialiased over white.
    const QColor belowHit = shown.pixelColor(cx, cy - radius / 4);
    EXPECT_GT(belowHit.green() - belowHit.red(), 50);
    const QColor atHit = shown.pixelColor(cx, cy - radius / 2);
    EXPECT_GT(atHit.red() - atHit.green(), 100);
    EXPECT_EQ(shown.pixel(cx, cy - radius * 3 / 4 + 4), kWhite);
    // Rays that hit nothing reach the range: the one to the left (-90 degrees) ends at the edge.
    const QColor left = shown.pixelColor(cx - radius + 3, cy);
    EXPECT_GT(left.green() - left.red(), 50);
}

TEST_F(ScanPlotTest, TheDockNeverChangesTheCanvas)
{
    startFacingAWall();
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_SCANNER));
    const QImage hidden = view().canvas().copy();
    closeProgram();

    resetProcessState();
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(run(ID_VIEW_SCANNER));
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_SCANNER));
    EXPECT_EQ(view().canvas(), hidden);
}

TEST_F(ScanPlotTest, OnAMapWithADescriptionTheRingsAlsoSayMetres)
{
    startFacingAWall();
    writeFile("wall.yaml", "image: mapa.bmp\nresolution: 0.05\n");
    ui().setAnswers({QFile::encodeName(QDir(dir()).filePath("wall.yaml"))});
    ASSERT_TRUE(run(ID_IMPORT_OCCUPANCY_MAP));
    ASSERT_TRUE(run(ID_VIEW_SCANNER));
    ASSERT_TRUE(run(ID_SCANNER));
    const QImage shown = plot();
    const auto drawn = [&](double metresPerPixel) {
        ScanPlot alone;
        alone.resize(shown.size());
        alone.setSweep(view().m_lastSweep, metresPerPixel);
        return alone.grab().toImage();
    };
    EXPECT_EQ(shown, drawn(0.05));
    EXPECT_NE(shown, drawn(0.0));
}
