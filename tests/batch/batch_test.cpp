#include "batch/script.h"
#include "common/batchprocess.h"
#include "platform/fileopen.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

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

TEST(ScriptParse, SkipsBlanksAndCommentsAndKeepsLineNumbersAndBytes)
{
    ScriptReader script("\xef\xbb\xbf# a comment\n\n  readini \r\nSettings  amplitude=80\tdelay=20\n   # indented\n"
                        "Dump out\xe9.json");
    std::vector<ScriptLine> lines;
    while (std::optional<ScriptLine> line = script.next()) {
        lines.push_back(*line);
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[0].command, "readini");
    EXPECT_TRUE(lines[0].words.isEmpty());
    EXPECT_EQ(lines[1].number, 4);
    EXPECT_EQ(lines[1].words, QByteArrayList({"amplitude=80", "delay=20"}));
    EXPECT_EQ(lines[2].number, 6);
    EXPECT_EQ(lines[2].words, QByteArrayList({"out\xe9.json"}));
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

    // A box's text is echoed whole: a NUL byte it quotes is shown, not an end.
    QFile nul(QDir(m_batch.dir()).filePath("nul.csv"));
    ASSERT_TRUE(nul.open(QIODevice::WriteOnly));
    nul.write(QByteArray("1,2\0\n", 5));
    nul.close();
    EXPECT_TRUE(runBatch("LoadPath nul.csv\n").err.endsWith("nul.csv: line 1: \"2\\0\" is not a number\n"));
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
        {QByteArray("ReadIni\nDump d\0.json\n", 21), "script line 2: a word holds a NUL byte"},
        {"Sin2Pi\nSavePath nowhere/p.csv\nWriteIni\n", "script line 2: SavePath: Error Save path: "},
        {"SavePath p.csv\nWriteIni\n", "script line 1: SavePath: Error Save path: No path to save"},
        {"Line\nExportRun out/\nWriteIni\n", "script line 2: ExportRun: \"out/\" names a folder, not a file"},
        {"Line\nSavePath p.csv/\nWriteIni\n", "script line 2: SavePath: \"p.csv/\" names a folder, not a file"},
        {"Line\nSavePath b.csv c.csv\nWriteIni\n", "script line 2: SavePath: a file dialog takes one word, not also \"c.csv\""},
        {"LoadPath with space.csv\nWriteIni\n", "script line 1: LoadPath: a file dialog takes one word, not also \"space.csv\""},
    };
    for (const Case& c : cases) {
        const BatchResult result = runBatch(c.script);
        EXPECT_EQ(result.status, 2) << c.script.toStdString();
        EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
    }
    // Nothing after the failing line ran: WriteIni wrote no file, and no name was cut at a NUL.
    EXPECT_FALSE(QFile::exists(QDir(m_batch.dir()).filePath("tav.ini")));
    EXPECT_FALSE(QFile::exists(QDir(m_batch.dir()).filePath("d")));
    // Nor was a file written under a folder's name or the first of two words.
    EXPECT_EQ(QDir(m_batch.dir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"temp.txt"}));
}

TEST_F(BatchTest, PointerCommandsAndSnapshot)
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
}

TEST_F(BatchTest, ScriptsThatCannotBeReadStopAtStartWithTheReason)
{
    const QDir dir(m_batch.dir());
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600), 0);
    dir.mkdir("folder.txt");
    QFile large(dir.filePath("large.txt"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(kScriptLimit + 1));
    m_batch.writeFile("wide.txt", QByteArray("\xff\xfe" "D\0u\0m\0p\0\n\0", 12));
    m_batch.writeFile("wide-no-mark.txt", QByteArray("D\0u\0m\0p\0\n\0", 10));
    struct Case {
        QString script;
        QString input; // standard input
        QByteArray reason;
    };
    const Case cases[] = {
        {"/dev/zero", "/dev/null", "\"/dev/zero\": No such device"},
        {"-", "/dev/zero", "\"-\": larger than 64 MiB"},
        {"folder.txt", "/dev/null", "\"folder.txt\": Is a directory"},
        {"pipe.txt", "/dev/null", "\"pipe.txt\": Illegal seek"},
        {"missing.txt", "/dev/null", "\"missing.txt\": No such file or directory"},
        {"large.txt", "/dev/null", "\"large.txt\": larger than 64 MiB"},
        {"wide.txt", "/dev/null", "\"wide.txt\": not UTF-8 text (it looks like UTF-16 or UTF-32)"},
        {"-", dir.filePath("wide-no-mark.txt"), "\"-\": not UTF-8 text (it looks like UTF-16 or UTF-32)"},
    };
    for (const Case& c : cases) {
        const BatchResult result = m_batch.runWith({"--batch", c.script}, c.input);
        EXPECT_EQ(result.status, 1) << c.script.toStdString();
        EXPECT_EQ(result.err, "tav1: cannot read the script " + c.reason + "\n");
    }
}

TEST_F(BatchTest, FileNamesKeepTheBytesTheScriptGivesThem)
{
    // Names in a Windows code page: not UTF-8. The file dialogs of SaveCircle and LoadData
    // take them too, and a folder so named becomes the working directory.
    m_batch.writeFile("tav.ini", "[Velmora]\nDialogs=1\n");
    ASSERT_TRUE(QDir(m_batch.dir()).mkdir("folder"));
    const QByteArray folder = QFile::encodeName(m_batch.dir()) + "/f\xe9";
    ASSERT_EQ(std::rename(QFile::encodeName(QDir(m_batch.dir()).filePath("folder")).constData(), folder.constData()), 0);
    const BatchResult result = m_batch.run("Dump d\xe9.json\nSnapshot s\xe9.png\nScreen c\xe9.png\n"
                                           "SaveCircle f\xe9/p\xe9.dat\nLoadData p\xe9.dat\nDump d.json\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QByteArray top = QFile::encodeName(m_batch.dir()) + '/';
    for (const QByteArray& name : {top + "d\xe9.json", top + "s\xe9.png", top + "c\xe9.png", folder + "/p\xe9.dat",
                                   folder + "/d.json"}) {
        struct stat status {};
        EXPECT_EQ(::stat(name.constData(), &status), 0) << name.toStdString();
        EXPECT_GT(status.st_size, 0) << name.toStdString();
    }
    QFile loaded;
    ASSERT_TRUE(openForReading((folder + "/d.json").toStdString(), loaded));
    EXPECT_EQ(QJsonDocument::fromJson(loaded.readAll()).object()["m_pointCount"].toInt(), 101);
}

TEST_F(BatchTest, TheViewHasExactlyTheSizeAsked)
{
    // A map larger than the view every way, loaded as the window first shows itself.
    QImage large(1500, 1200, QImage::Format_RGB32);
    large.fill(Qt::white);
    ASSERT_TRUE(large.save(QDir(m_batch.dir()).filePath("large.png")));
    // Sizes where the view needs both scroll bars, one, none, and both by less than a bar's width;
    // with the sample map (no --map) and with the large one.
    const struct {
        QSize size;
        QStringList map;
    } cases[] = {{{640, 480}, {}}, {{800, 600}, {}}, {{700, 1100}, {}}, {{1024, 1024}, {}}, {{2000, 1500}, {}},
                 {{790, 1000}, {}}, {{805, 1008}, {}}, {{800, 600}, {"--map", "large.png"}},
                 {{1400, 700}, {"--map", "large.png"}}};
    for (const auto& [size, map] : cases) {
        const QString text = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        const BatchResult result =
            runBatch("Screen s.png\nZoomIn\nZoomOut\nScreen z.png\n", QStringList{"--size", text} + map);
        ASSERT_EQ(result.status, 0) << text.toStdString() << result.err.toStdString();
        EXPECT_EQ(QImage(QDir(m_batch.dir()).filePath("s.png")).size(), size) << text.toStdString();
        EXPECT_EQ(QImage(QDir(m_batch.dir()).filePath("z.png")).size(), size) << text.toStdString();
    }
    // Smaller than the window can make it: nothing runs.
    const BatchResult result = runBatch("Dump\n", {"--size", "1x1"});
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.err.startsWith("tav1: the window cannot make the view 1x1: it makes it ")) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
}

TEST_F(BatchTest, TheCanvasHoldsTheScrollSizeAndTheFirstViewAndNoMore)
{
    // A window laid out twice (first at another size) would leave a canvas wider than its view.
    const BatchResult result = runBatch("Snapshot shot.png\n");
    ASSERT_EQ(result.status, 0) << result.err.toStdString();
    const QImage shot(QDir(m_batch.dir()).filePath("shot.png"));
    EXPECT_EQ(shot.size(), QSize(800, 1008));
}
