#include "common/batchprocess.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

TEST(BatchDialogs, AnswersAreTypedIntoTheDialogAndRefusalsCancel)
{
    BatchProcess batch;
    const BatchResult result = batch.run("Settings amplitude=80 delay=20 scannerTrace=1\n"
                                         "Dump first.json\n"
                                         "Amplituda amplitude=90 delay=40000\n"
                                         "SettingsVehicle wheelTrack=7 cartLength=9\n"
                                         "CurveSettings samplingPeriod=0.5 incrementalEllipse=0 valueCount=6000 radius10=30\n"
                                         "Dump\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject first = batch.readJson("first.json");
    EXPECT_EQ(first["m_amplitude"].toInt(), 80);
    EXPECT_EQ(first["m_delayMs"].toInt(), 20);
    EXPECT_EQ(first["g_systemDlg"].toObject()["m_scannerTrace"].toInt(), 1);

    const QJsonObject state = result.json();
    // The refused delay: the amplitude before it was kept in the dialog, then Cancel.
    EXPECT_EQ(state["g_systemDlg"].toObject()["m_amplitude"].toInt(), 90);
    EXPECT_EQ(state["g_systemDlg"].toObject()["m_delay"].toInt(), 20);
    EXPECT_EQ(state["m_amplitude"].toInt(), 40);
    EXPECT_EQ(state["m_delayMs"].toInt(), 60);
    EXPECT_EQ(state["m_pCart"].toObject()["wheelTrack"].toInt(), 7);
    EXPECT_EQ(state["m_pCart"].toObject()["cartLength"].toInt(), 9);
    const QJsonObject curve = state["m_curveDlg"].toObject();
    EXPECT_EQ(float(curve["m_samplingPeriod"].toDouble()), 0.5f);
    EXPECT_EQ(curve["m_incrementalEllipse"].toInt(), 0);
    EXPECT_EQ(curve["m_valueCount"].toInt(), 101);
    EXPECT_EQ(curve["m_radius10"].toInt(), 20);
    const QJsonArray messages = state["messages"].toArray();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].toObject()["text"].toString(), "Please enter an integer.");
    EXPECT_EQ(messages[1].toObject()["text"].toString(), "Please enter an integer between 2 and 5000.");
    EXPECT_TRUE(result.err.contains("[TAV1] Please enter an integer.\n"));
}

TEST(BatchDialogs, UnknownFieldsAndMissingFileAnswersAreScriptErrors)
{
    BatchProcess batch;
    BatchResult result = batch.run("Settings\nSettings speed=3\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("script line 2")) << result.err.toStdString();

    batch.writeFile("tav.ini", "[TAV]\nDialogs=1\n");
    result = batch.run("FileOpen\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_TRUE(result.err.contains("script line 1")) << result.err.toStdString();
}

TEST(BatchDialogs, MapFromTheCommandLineAndFromFileOpen)
{
    BatchProcess batch;
    QImage map(40, 30, QImage::Format_RGB32);
    map.fill(qRgb(255, 0, 0));
    QDir(batch.dir()).mkdir("maps");
    ASSERT_TRUE(map.save(batch.dir() + "/maps/red.bmp", "BMP"));
    BatchResult result = batch.run("Dump\n", {"--map", "maps/red.bmp"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.json()["m_bitmapLoaded"].toBool());
    EXPECT_EQ(QDir(result.json()["cwd"].toString()), QDir(batch.dir() + "/maps"));

    result = batch.run("FileOpen cancel\nFileOpen maps/red.bmp\nSnapshot shot.png\nDump\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_TRUE(result.json()["m_bitmapLoaded"].toBool());
    const QImage shot(batch.dir() + "/maps/shot.png");
    EXPECT_EQ(shot.pixel(39, 29), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(40, 29), qRgb(255, 255, 255));
}
