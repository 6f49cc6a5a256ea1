// An occupancy map imported through File › Import occupancy map… in the real window: every
// pixel classified on the canvas and on the screen, the pointer's position in metres, a faulty
// description refused with the current map kept, and a run that stops at the map's walls.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "sim/occupancymap.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include <algorithm>
#include <functional>
#include <map>

using namespace cmd;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class OccupancyTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\nDefault=1\n[DefaultValues]\nStartPossitionX=300\n"
                                    "StartPossitionY=300\nEndPossitionX=560\nEndPossitionY=300\n"
                                    "DosahScanerra=150\ndf_Str=10\n"));
        // Free floor (254) with a wall (0) across x 400-409 and unknown (205) below y 500.
        QByteArray pixels(kWidth * kHeight, char(254));
        for (int y = 0; y < kHeight; ++y) {
            std::fill_n(pixels.data() + y * kWidth + 400, 10, char(0));
            if (y >= 500) {
                std::fill_n(pixels.data() + y * kWidth, kWidth, char(205));
            }
        }
        writeFile("room.pgm", "P5\n# CREATOR: a mapping tool 0.050 m/pix\n800 600\n255\n" + pixels);
        writeFile("room.yaml", "image: room.pgm\nmode: trinary\nresolution: 0.05\norigin: [-1.0, -0.5, 0.0]\n"
                               "negate: 0\noccupied_thresh: 0.65\nfree_thresh: 0.196\n");
    }

    // Chooses File › "Import occupancy map…" from the menu bar, answering its file dialog.
    void importFromMenu(const QString& file)
    {
        ui().setAnswers({QFile::encodeName(QDir(dir()).filePath(file))});
        QAction* item = nullptr;
        for (QAction* action : frame().submenu("&File")->actions()) {
            item = action->text() == "Import occupancy map…" ? action : item;
        }
        ASSERT_NE(item, nullptr);
        item->trigger();
        QApplication::processEvents();
    }

    std::map<QRgb, int> mapClasses()
    {
        std::map<QRgb, int> counts;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                ++counts[view().canvas().pixel(x, y)];
            }
        }
        return counts;
    }

    QLabel* metres() { return frame().statusBar()->findChild<QLabel*>("mapPosition"); }
};

} // namespace

TEST_F(OccupancyTest, EveryPixelIsClassifiedOnTheCanvasAndTheScreenAndThePointerIsInMetres)
{
    importFromMenu("room.yaml");
    EXPECT_EQ(captions(), QStringList());
    EXPECT_EQ(mapClasses(), (std::map<QRgb, int>{{kOccupiedPixel, 10 * 500},
                                                 {kFreePixel, (kWidth - 10) * 500},
                                                 {kUnknownPixel, kWidth * 100}}));
    EXPECT_TRUE(screenShowsCanvas());

    // The lower-left pixel's centre lies half a pixel off the origin; pane 0 says what it said.
    ASSERT_NE(metres(), nullptr);
    QTest::mouseMove(view().widget(), QPoint(0, 599));
    EXPECT_TRUE(frame().paneText().startsWith("Mouse:[0 599]\tPerioda vzorkovania:")) << frame().paneText().toStdString();
    EXPECT_TRUE(metres()->isVisible());
    EXPECT_EQ(metres()->text(), "(-0.975, -0.475) m");
    QTest::mouseMove(view().widget(), QPoint(405, 100));
    EXPECT_EQ(metres()->text(), "(19.275, 24.475) m");

    // Another map has no place in the world.
    ASSERT_TRUE(run(ID_FILE_OPEN));
    EXPECT_FALSE(metres()->isVisible());
    EXPECT_FALSE(view().m_mapGeometry);
    EXPECT_EQ(view().canvas().pixel(405, 100), qRgb(255, 255, 255));
}

TEST_F(OccupancyTest, AFaultyDescriptionSaysWhichKeyAndTheCurrentMapStays)
{
    const QImage before = view().canvas();
    const QString yaml = QDir(dir()).filePath("bad.yaml");
    writeFile("bad.yaml", "image: room.pgm\nresolution: 0.05\noccupied_thresh: 1.5\n");
    importFromMenu("bad.yaml");
    writeFile("nothing.yaml", "image: gone.pgm\nresolution: 0.05\n");
    importFromMenu("nothing.yaml");
    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[0].caption, "Error Import occupancy map");
    EXPECT_EQ(ui().messages()[0].text, yaml + ": occupied_thresh: 1.5 is outside 0 to 1");
    EXPECT_TRUE(ui().messages()[1].text.startsWith(QDir(dir()).filePath("nothing.yaml") + ": image: "))
        << ui().messages()[1].text.toStdString();
    EXPECT_EQ(view().canvas(), before);
    EXPECT_FALSE(view().m_mapGeometry);
    EXPECT_FALSE(metres()->isVisible());
}

TEST_F(OccupancyTest, ARunStopsAtTheImportedWallsAndItsExportHasTheCartInMetres)
{
    importFromMenu("room.yaml");
    view().m_delayMs = 0;
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_LINE));
    ASSERT_TRUE(run(ID_ANIMUJ));
    ASSERT_FALSE(view().m_lastRun.steps.empty());
    // Every hit is on the wall's near side, where the scanner met the first red pixel.
    ASSERT_FALSE(view().m_lastRun.hits.empty());
    for (const ScanHit& hit : view().m_lastRun.hits) {
        EXPECT_EQ(view().canvas().pixel(hit.x, hit.y), kOccupiedPixel);
    }

    ui().setAnswers({QFile::encodeName(QDir(dir()).filePath("run.csv"))});
    ASSERT_TRUE(run(ID_EXPORT_RUN));
    const QList<QByteArray> lines = readFile("run.csv").split('\n');
    EXPECT_TRUE(lines[0].endsWith(",farthest_hit_px,cart_x_m,cart_y_m,collision\r"));
    const StepRecord& first = view().m_lastRun.steps.front();
    const QList<QByteArray> row = lines[1].trimmed().split(',');
    ASSERT_EQ(row.size(), 14);
    EXPECT_EQ(row[1].toInt(), first.cartX);
    EXPECT_DOUBLE_EQ(row[11].toDouble(), -1.0 + (first.cartX + 0.5) * 0.05);
    EXPECT_DOUBLE_EQ(row[12].toDouble(), -0.5 + (kHeight - first.cartY - 0.5) * 0.05);

    // The run keeps the place of the map it ran on: a map loaded after it moves nothing.
    writeFile("far.yaml", "image: room.pgm\nresolution: 1.0\norigin: [400, 300, 0]\n");
    const std::function<void()> nextMaps[] = {[this] { importFromMenu("far.yaml"); },
                                              [this] { ASSERT_TRUE(run(ID_FILE_OPEN)); }};
    for (const auto& loadNext : nextMaps) {
        loadNext();
        ui().setAnswers({QFile::encodeName(QDir(dir()).filePath("again.csv"))});
        ASSERT_TRUE(run(ID_EXPORT_RUN));
        EXPECT_EQ(readFile("again.csv"), readFile("run.csv"));
    }
}

TEST_F(OccupancyTest, ADescriptionNamedOnTheCommandLineIsTheMapTheWindowStartsWith)
{
    closeProgram();
    std::unique_ptr<CMainFrame> started = startAnother(QDir(dir()).filePath("room.yaml"));
    ASSERT_TRUE(started);
    EXPECT_TRUE(started->view()->m_mapGeometry);
    EXPECT_EQ(started->view()->canvas().pixel(405, 100), kOccupiedPixel);
    EXPECT_EQ(started->view()->canvas().pixel(405, 550), kUnknownPixel);
}
