#include "common/batchprocess.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(BatchVehicle, AnimationRunLeavesPathCartAndScannerRaysOnTheSnapshot)
{
    BatchProcess batch;
    QImage floor(800, 600, QImage::Format_RGB32);
    floor.fill(qRgb(238, 234, 222));
    ASSERT_TRUE(floor.save(batch.dir() + "/mapa.bmp", "BMP"));
    batch.writeFile("tav.ini", "[TAV]\nDialogs=0\n[DefaultValues]\nDosahScanerra=150\ndf_Str=10\n");
    const BatchResult result = batch.run("Settings amplitude=40 delay=200 scannerTrace=1\n"
                                         "StartCiel\nSin2Pi\nAnimuj\nSnapshot shot.png\nFileSave cancel\nDump\n",
                                         {"--fast"}, 20000);
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject state = result.json();
    EXPECT_EQ(state["m_trajectoryType"].toInt(), 2);
    EXPECT_EQ(state["m_trajectoryCount"].toInt(), 329);
    EXPECT_EQ(state["trajectory"].toArray().size(), 329);
    const QJsonArray last = state["trajectory"].toArray()[320].toArray();
    EXPECT_EQ(state["m_cartX"].toInt(), int(last[0].toDouble()));
    EXPECT_TRUE(state["status"].toString().startsWith("Vodidlo:["));

    const QImage shot(batch.dir() + "/shot.png");
    int green = 0;
    int red = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            green += shot.pixel(x, y) == qRgb(0, 255, 0);
            red += shot.pixel(x, y) == qRgb(255, 0, 0);
        }
    }
    EXPECT_GT(green, 500); // the last step's rays and body line
    EXPECT_GT(red, 300);   // the replotted path and the cart's hatch
}

TEST(BatchVehicle, ScreenWritesTheVisibleAreaAsTheWindowShowsIt)
{
    BatchProcess batch;
    QImage floor(800, 600, QImage::Format_RGB32);
    floor.fill(qRgb(238, 234, 222));
    ASSERT_TRUE(floor.save(batch.dir() + "/mapa.bmp", "BMP"));
    batch.writeFile("tav.ini", "[TAV]\nDialogs=0\n[DefaultValues]\nStartPossitionX=100\nStartPossitionY=100\n"
                               "EndPossitionX=380\nEndPossitionY=250\n");
    BatchResult result = batch.run("StartCiel\nSin2Pi\nScreen screen.png\nSnapshot canvas.png\n", {"--size", "400x300"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QImage screen = QImage(batch.dir() + "/screen.png").convertToFormat(QImage::Format_RGB32);
    const QImage canvas = QImage(batch.dir() + "/canvas.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(screen.size(), QSize(400, 300));
    EXPECT_EQ(screen, canvas.copy(0, 0, 400, 300));
    EXPECT_EQ(screen.pixel(100, 100), qRgb(255, 0, 0));

    result = batch.run("Screen\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("script line 1: Screen needs one path")) << result.err.toStdString();
}
