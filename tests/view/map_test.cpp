#include "common/appfixture.h"
#include "common/ordinaryuser.h"

#include "app/mainframe.h"
#include "batch/dump.h"
#include "sim/scanrecord.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>

#include <functional>

using namespace cmd;

namespace {

constexpr QRgb kFloor = qRgb(230, 220, 200);
constexpr QRgb kMark = qRgb(0, 0, 200);

class MapTest : public AppFixture {
protected:
    // A map of the floor colour with one marked pixel at its bottom-right corner.
    void writeMap(const QString& name, QSize size, QRgb floor = kFloor)
    {
        QImage map(size, QImage::Format_RGB32);
        map.fill(floor);
        map.setPixel(size.width() - 1, size.height() - 1, kMark);
        ASSERT_TRUE(map.save(QDir(dir()).filePath(name), "BMP"));
    }
    void useConfiguredMap(const char* name)
    {
        writeFile("tav.ini", QByteArray("[TAV]\nDialogs=0\nBitmapa=") + name + "\n");
    }
    QRgb pixel(int x, int y) { return view().canvas().pixel(x, y); }
};

} // namespace

TEST_F(MapTest, FirstRepaintAsksForTheMapOnceAndDrawsItUnscaled)
{
    writeMap("plan.bmp", {300, 200});
    ui().setAnswers({"plan.bmp"});
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(view().m_bitmapLoaded);
    EXPECT_EQ(pixel(0, 0), kFloor);
    EXPECT_EQ(pixel(299, 199), kMark);
    EXPECT_EQ(pixel(300, 199), qRgb(255, 255, 255));
    // Later repaints draw the map again without a dialog (no answer is left to give).
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_TRUE(ui().scriptError().isEmpty());
    EXPECT_EQ(pixel(299, 199), kMark);
}

TEST_F(MapTest, ConfiguredMapLoadsWithoutADialog)
{
    writeMap("mapa.bmp", {120, 80});
    writeFile("tav.ini", "[TAV]\nDialogs=0\n");
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(view().m_bitmapLoaded);
    EXPECT_EQ(pixel(119, 79), kMark);
    EXPECT_TRUE(ui().scriptError().isEmpty());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(MapTest, ChoosingAMapElsewhereMovesTheWorkingDirectory)
{
    QDir(dir()).mkdir("maps");
    writeMap("maps/floor.bmp", {50, 50});
    writeFile("maps/tav.ini", "[DefaultValues]\nDosahScanerra=77\n");
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(startProgram());
    g_obstacleCount = 3;
    ui().setAnswers({"maps/floor.bmp"});
    ASSERT_TRUE(run(ID_FILE_OPEN));
    EXPECT_EQ(g_obstacleCount, 0);
    EXPECT_EQ(QDir::current(), QDir(QDir(dir()).filePath("maps")));
    ASSERT_TRUE(run(ID_READ_INI));
    EXPECT_EQ(view().m_scannerRange, 77);
}

TEST_F(MapTest, CancelledOpenEmptiesTheObstacleLogAndIsNotAskedAgainByRepaints)
{
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(startProgram());
    EXPECT_FALSE(view().m_bitmapLoaded);
    g_obstacleCount = 4;
    ui().setAnswers({"cancel"});
    ASSERT_TRUE(run(ID_FILE_OPEN));
    EXPECT_EQ(g_obstacleCount, 0);
    // With no answers left, a repaint that opened the dialog would be a script error.
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_TRUE(ui().scriptError().isEmpty());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(MapTest, MissingConfiguredMapIsReportedOnceNotOnEveryRepaint)
{
    useConfiguredMap("absent.bmp");
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(captions(), QStringList({"Error LoadDIBFromFile"}));
    EXPECT_EQ(ui().messages().front().text, QString("Error:%1").arg(ENOENT));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_EQ(captions().size(), 1);
    // An explicit File Open tries again and reports again.
    ASSERT_TRUE(run(ID_FILE_OPEN));
    EXPECT_EQ(captions(), QStringList({"Error LoadDIBFromFile", "Error LoadDIBFromFile"}));
    writeMap("absent.bmp", {20, 20});
    ASSERT_TRUE(run(ID_FILE_OPEN));
    EXPECT_TRUE(view().m_bitmapLoaded);
    EXPECT_EQ(pixel(19, 19), kMark);
}

TEST_F(MapTest, BadMapFilesGiveOneBoxEachAndKeepThePreviousMap)
{
    writeMap("good.bmp", {64, 48});
    useConfiguredMap("good.bmp");
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(pixel(63, 47), kMark);

    QImage truncatedSource(200, 200, QImage::Format_RGB32);
    truncatedSource.fill(Qt::green);
    truncatedSource.save(QDir(dir()).filePath("full.bmp"), "BMP");
    writeFile("truncated.bmp", readFile("full.bmp").left(2000));
    writeFile("empty.bmp", "");
    writeFile("text.bmp", "this is not a bitmap\n");
    // A BMP header claiming 100000 x 100000 pixels of 24 bits, with no pixels behind it.
    QByteArray huge("BM");
    huge += QByteArray::fromHex("36000000000000003600000028000000a0860100a08601000100180000000000");
    huge += QByteArray(24, '\0');
    writeFile("huge.bmp", huge);
    QDir(dir()).mkdir("folder.bmp");
    const QStringList bad = {"empty.bmp", "truncated.bmp", "huge.bmp", "text.bmp", "folder.bmp", "absent.bmp"};
    for (const QString& name : bad) {
        ui().setAnswers({QFile::encodeName(name)});
        view().m_openDialog = 1;
        ASSERT_TRUE(run(ID_FILE_OPEN));
        ASSERT_EQ(captions().size(), 1) << name.toStdString();
        EXPECT_EQ(captions().front(), "Error LoadDIBFromFile") << name.toStdString();
        EXPECT_NE(ui().messages().front().text, "Error:0") << name.toStdString();
        ASSERT_TRUE(run(ID_POMOCNE_MENU));
        EXPECT_EQ(pixel(63, 47), kMark) << name.toStdString();
        EXPECT_EQ(captions().size(), 1) << name.toStdString();
        ui() = ScriptedUi();
    }
}

TEST_F(MapTest, UnreadableMapIsReportedWithItsCode)
{
    if (rerunAsOrdinaryUser()) {
        return;
    }
    writeMap("locked.bmp", {10, 10});
    QFile::setPermissions(QDir(dir()).filePath("locked.bmp"), QFileDevice::WriteOwner);
    useConfiguredMap("locked.bmp");
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(captions(), QStringList({"Error LoadDIBFromFile"}));
    EXPECT_EQ(ui().messages().front().text, QString("Error:%1").arg(EACCES));
}

TEST_F(MapTest, MarksAreRedrawnWithTheMapAndTheStartLabelOnlyWithNumbers)
{
    writeMap("mapa.bmp", {400, 300}, qRgb(255, 255, 255));
    useConfiguredMap("mapa.bmp");
    ASSERT_TRUE(startProgram());
    view().m_markersShown = true;
    view().m_cartX = 100;
    view().m_cartY = 100;
    view().m_targetX = 250;
    view().m_targetY = 200;
    view().m_startEndDlg.m_startX = 40;
    view().m_startEndDlg.m_startY = 200;
    const auto blackIn = [this](int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                count += pixel(x, y) == qRgb(0, 0, 0);
            }
        }
        return count;
    };
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_GT(blackIn(95, 95, 105, 105), 0); // cart circle, filled white
    EXPECT_EQ(pixel(100, 100), qRgb(255, 255, 255));
    EXPECT_EQ(blackIn(106, 90, 120, 110), 0);
    EXPECT_GT(blackIn(240, 190, 260, 210), 0); // "E"
    EXPECT_EQ(blackIn(40, 200, 60, 220), 0);   // no "S"
    view().m_curveDlg.m_numbers = 1;
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_GT(blackIn(40, 200, 60, 220), 0);
}

TEST_F(MapTest, LargeMapGrowsTheCanvasAndScrollsIntoView)
{
    writeMap("big.bmp", {2000, 1500});
    useConfiguredMap("big.bmp");
    ASSERT_TRUE(startProgram());
    frame().resize(800, 600);
    QApplication::processEvents();
    EXPECT_GE(view().canvas().width(), 2000);
    EXPECT_GE(view().canvas().height(), 1500);

    view().horizontalScrollBar()->setValue(view().horizontalScrollBar()->maximum());
    view().verticalScrollBar()->setValue(view().verticalScrollBar()->maximum());
    QApplication::processEvents();
    // The map's bottom-right corner is now on the screen, at the viewport's bottom-right.
    const QImage shown = view().viewport()->grab().toImage();
    const QSize viewport = view().viewport()->size();
    const QPoint corner = view().widget()->mapTo(view().viewport(), QPoint(1999, 1499));
    ASSERT_TRUE(QRect(QPoint(0, 0), viewport).contains(corner));
    EXPECT_EQ(shown.pixel(corner * shown.devicePixelRatio()), kMark);

    // The pointer reports canvas pixels, not window pixels.
    QWidget* canvas = view().widget();
    QMouseEvent move(QEvent::MouseMove, QPointF(1999, 1499), canvas->mapToGlobal(QPointF(1999, 1499)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    EXPECT_TRUE(frame().paneText().startsWith("Mouse:[1999 1499]"));
}

TEST_F(MapTest, MapNeedingACanvasBeyondTheLimitIsRefusedAsTooLarge)
{
    // Small itself, but the canvas holding it is at least the scroll size high.
    QImage thin(270000, 1, QImage::Format_Mono);
    thin.fill(0);
    ASSERT_TRUE(thin.save(QDir(dir()).filePath("thin.bmp"), "BMP"));
    useConfiguredMap("thin.bmp");
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(captions(), QStringList({"Error BitmapFromDIB"}));
    EXPECT_EQ(ui().messages().front().text, QString("Error:%1").arg(kBitmapTooLarge));
    EXPECT_FALSE(view().m_bitmapLoaded);
    EXPECT_LT(view().canvas().width(), 270000);
}

TEST_F(MapTest, MapBeyondSixtyFourMegapixelsLoadsWhole)
{
    // 8200 x 8200 is past the 8192 x 8192 a map could have before; PNG keeps the file small.
    QImage map(8200, 8200, QImage::Format_RGB32);
    map.fill(kFloor);
    map.setPixel(8199, 8199, kMark);
    ASSERT_TRUE(map.save(QDir(dir()).filePath("large.png"), "PNG", 0));
    map = QImage();
    useConfiguredMap("large.png");
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(captions().isEmpty());
    ASSERT_TRUE(view().m_bitmapLoaded);
    EXPECT_EQ(pixel(8199, 8199), kMark);
    EXPECT_EQ(pixel(0, 0), kFloor);
}

TEST_F(MapTest, AMapRefusedForItsSizeLeavesTheMapTheCanvasAndTheStateAsTheyWere)
{
    writeMap("mapa.bmp", {300, 200});
    useConfiguredMap("mapa.bmp");
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(run(ID_START_CIEL));
    ASSERT_TRUE(run(ID_SIN_2PI));
    // Small as a file, but a canvas a million pixels high is beyond the limit.
    QImage tall(1, 1000000, QImage::Format_Grayscale8);
    tall.fill(0);
    ASSERT_TRUE(tall.save(QDir(dir()).filePath("tall.png"), "PNG"));
    const ScriptedUi noBoxes;
    const std::string state = dumpState(view(), QString(), noBoxes);
    view().RedrawWindow(true);
    const QImage canvas = view().canvas();

    const struct {
        const char* how;
        std::function<void()> load;
    } ways[] = {
        {"File › Open", [this] { view().m_mapFileName = "tall.png"; ASSERT_TRUE(run(ID_FILE_OPEN)); }},
        {"Import occupancy map", [this] { EXPECT_FALSE(view().importMap(QFile::encodeName(QDir(dir()).filePath("tall.png")).toStdString())); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const std::size_t shown = ui().messages().size();
        way.load();
        ASSERT_EQ(ui().messages().size(), shown + 1);
        EXPECT_EQ(ui().messages().back().caption, "Error BitmapFromDIB");
        EXPECT_EQ(ui().messages().back().text, QString("Error:%1").arg(kBitmapTooLarge));
        view().m_mapFileName = "mapa.bmp";
        EXPECT_EQ(dumpState(view(), QString(), noBoxes), state);
        EXPECT_EQ(view().canvas(), canvas);
        view().RedrawWindow(true);
        EXPECT_EQ(view().canvas().size(), canvas.size());
        EXPECT_EQ(view().canvas(), canvas);
        EXPECT_TRUE(screenShowsCanvas());
    }
}
