#include "batch/script.h"
#include "common/batchprocess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

class BatchTest : public ::testing::Test {
protected:
    BatchResult runBatch(const QByteArray& script, const QStringList& options = {}) const
    {
        return m_batch.run(script, options);
    }
    BatchProcess m_batch;
};

} // namespace

TEST(ScriptParse, SkipsBlanksAndCommentsAndKeepsLineNumbers)
{
    const std::vector<ScriptLine> lines =
        parseScript("# a comment\n\n  readini \r\nSettings  amplitude=80\tdelay=20\n   # indented\nDump out.json");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].command, "readini");
    EXPECT_TRUE(lines[0].words.isEmpty());
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[1].words, QStringList({"amplitude=80", "delay=20"}));
    EXPECT_EQ(lines[2].number, 6);
    EXPECT_EQ(lines[2].words, QStringList({"out.json"}));
}

TEST_F(BatchTest, WriteIniReadIniAndDumpShowTheWrittenValues)
{
    const BatchResult result = runBatch("Dump before.json\nWRITEINI\nreadini\nPomocneMenu\nDump\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();

    QFile beforeFile(QDir(m_batch.dir()).filePath("before.json"));
    ASSERT_TRUE(beforeFile.open(QIODevice::ReadOnly));
    const QJsonObject before = QJsonDocument::fromJson(beforeFile.readAll()).object();
    EXPECT_EQ(before["m_scannerRange"].toInt(), 10);
    EXPECT_EQ(before["m_endX"].toInt(), 560);
    EXPECT_EQ(before["m_mapFileName"].toString(), "mapa.bmp");
    // 32-bit reals read back exactly.
    EXPECT_EQ(float(before["m_scanStepDivisor"].toDouble()), 0.1f);
    EXPECT_EQ(before["g_minDistance"].toInt(), 100);
    EXPECT_EQ(float(before["m_curveDlg"].toObject()["m_samplingPeriod"].toDouble()), 0.02f);
    EXPECT_EQ(before["status"].toString(), "Ready");

    QJsonParseError error;
    const QJsonObject after = QJsonDocument::fromJson(result.out, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    EXPECT_EQ(after["m_curveDialogs"].toInt(), 0);
    EXPECT_EQ(after["m_openDialog"].toInt(), 0);
    EXPECT_EQ(after["m_useDefaults"].toInt(), 1);
    EXPECT_EQ(after["m_scannerRange"].toInt(), 150);
    EXPECT_EQ(after["m_endX"].toInt(), 600);
    EXPECT_EQ(after["m_endY"].toInt(), 600);
    EXPECT_EQ(after["g_minDistance"].toInt(), 10);
    EXPECT_EQ(after["m_pCart"].toObject()["cartLength"].toInt(), 20);
    EXPECT_EQ(after["m_pCart"].toObject()["wheelTrack"].toInt(), 2);
    EXPECT_EQ(after["m_scanStepDivisor"].toDouble(), 10.0);
    EXPECT_EQ(after["points"].toArray().size(), 24);
    EXPECT_EQ(QDir(after["cwd"].toString()), QDir(m_batch.dir()));
    EXPECT_TRUE(after["messages"].toArray().isEmpty());
}

TEST_F(BatchTest, BoxesGoToStandardErrorAndIntoTheDump)
{
    QFile ini(QDir(m_batch.dir()).filePath("tav.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[TAV]\nBitmapa=\n");
    ini.close();
    const BatchResult result = runBatch("Dump\n");
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "[GetPriovateProfileStringError Mapa] Error:0\n");
    const QJsonArray messages = QJsonDocument::fromJson(result.out).object()["messages"].toArray();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].toObject()["caption"].toString(), "GetPriovateProfileStringError Mapa");
}

TEST_F(BatchTest, ScriptErrorsStopWithStatusTwoAndTheLineNumber)
{
    struct Case {
        QByteArray script;
        QByteArray message;
    };
    const Case cases[] = {
        {"ReadIni\n\nFlyAway\nWriteIni\n", "script line 3"},
        {"DoubleClick 10\n", "script line 1"},
        {"# c\nMouseMove 1 two\n", "script line 2"},
        {"Snapshot\n", "script line 1"},
        {"Dump a b\n", "script line 1"},
    };
    for (const Case& c : cases) {
        const BatchResult result = runBatch(c.script);
        EXPECT_EQ(result.status, 2) << c.script.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    // Nothing after the failing line ran: WriteIni wrote no file.
    EXPECT_FALSE(QFile::exists(QDir(m_batch.dir()).filePath("tav.ini")));
}

TEST_F(BatchTest, PointerCommandsSnapshotAndUnreadableScript)
{
    const BatchResult result = runBatch("doubleclick 10 20\nDoubleClick 30 40\nMouseMove 100 200\n"
                                                 "Snapshot shot.png\nDump\n",
                                   {"--size", "640x480"});
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QJsonObject state = QJsonDocument::fromJson(result.out).object();
    EXPECT_EQ(state["m_startX"].toInt(), 10);
    EXPECT_EQ(state["m_endY"].toInt(), 40);
    EXPECT_TRUE(state["m_endSet"].toBool());
    EXPECT_TRUE(state["status"].toString().startsWith("Mouse:[100 200]\t"));
    QImage shot(QDir(m_batch.dir()).filePath("shot.png"));
    EXPECT_GE(shot.width(), 768);
    EXPECT_GE(shot.height(), 1008);

    QProcess process;
    process.start(QStringLiteral(TAV1_BINARY), {"--batch", QDir(m_batch.dir()).filePath("missing.txt")});
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitCode(), 1);
}

TEST_F(BatchTest, TheCanvasHoldsTheScrollSizeAndTheFirstViewAndNoMore)
{
    // A window laid out twice (first at another size) would leave a canvas wider than its view.
    const BatchResult result = runBatch("Snapshot shot.png\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QImage shot(QDir(m_batch.dir()).filePath("shot.png"));
    EXPECT_EQ(shot.size(), QSize(800, 1008));
}
