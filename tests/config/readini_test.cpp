#include "common/appfixture.h"

#include "app/commandids.h"
#include "config/inisettings.h"
#include "view/tav1view.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

using namespace cmd;

namespace {

struct Settings {
    int curveDialogs, showMessageBox, openDialog, useDefaults, scannerRange;
    int startX, startY, endX, endY, minDistance, cartLength, wheelTrack;
    std::string mapFileName;
    float scanStepDivisor;
};

Settings settingsOf(const CTAV1View& view)
{
    return {view.m_curveDialogs, view.m_showMessageBox, view.m_openDialog, view.m_useDefaults,
            view.m_scannerRange, view.m_startEndDlg.m_startX, view.m_startEndDlg.m_startY,
            view.m_startEndDlg.m_endX, view.m_startEndDlg.m_endY, g_minDistance,
            view.m_pCart->cartLength, view.m_pCart->wheelTrack, view.m_mapFileName,
            view.m_scanStepDivisor};
}

void expectSettings(const CTAV1View& view, const Settings& expected)
{
    const Settings actual = settingsOf(view);
    EXPECT_EQ(actual.curveDialogs, expected.curveDialogs);
    EXPECT_EQ(actual.showMessageBox, expected.showMessageBox);
    EXPECT_EQ(actual.openDialog, expected.openDialog);
    EXPECT_EQ(actual.useDefaults, expected.useDefaults);
    EXPECT_EQ(actual.scannerRange, expected.scannerRange);
    EXPECT_EQ(actual.startX, expected.startX);
    EXPECT_EQ(actual.startY, expected.startY);
    EXPECT_EQ(actual.endX, expected.endX);
    EXPECT_EQ(actual.endY, expected.endY);
    EXPECT_EQ(actual.minDistance, expected.minDistance);
    EXPECT_EQ(actual.cartLength, expected.cartLength);
    EXPECT_EQ(actual.wheelTrack, expected.wheelTrack);
    EXPECT_EQ(actual.mapFileName, expected.mapFileName);
    EXPECT_EQ(actual.scanStepDivisor, expected.scanStepDivisor);
}

const Settings kDefaults{1, 1, 1, 1, 10, 300, 300, 560, 500, 100, 10, 10, "mapa.bmp", 0.1f};
const Settings kWritten{0, 0, 0, 1, 150, 300, 300, 600, 600, 10, 20, 2, "mapa.bmp", 10.0f};

class ConfigTest : public AppFixture {};

} // namespace

TEST_F(ConfigTest, NoFileGivesTheDefaultsSilently)
{
    ASSERT_TRUE(startProgram());
    expectSettings(view(), kDefaults);
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(ConfigTest, WriteIniThenReadIniGivesTheWrittenValues)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(run(ID_WRITE_INI));
    // Writing alone changes nothing in memory.
    expectSettings(view(), kDefaults);
    ASSERT_TRUE(run(ID_READ_INI));
    expectSettings(view(), kWritten);
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(ConfigTest, WriteIniCreatesSectionsInOrderAndTwiceLeavesOneLinePerKey)
{
    ASSERT_TRUE(startProgram());
    ASSERT_TRUE(run(ID_WRITE_INI));
    const QByteArray once = readFile("tav.ini");
    ASSERT_TRUE(run(ID_WRITE_INI));
    EXPECT_EQ(readFile("tav.ini"), once);

    const QString text = QString::fromLatin1(once);
    const QStringList sections = {"[Velmora]", "[TAV]", "[DefaultValues]", "[Vozidlo]"};
    qsizetype previous = -1;
    for (const QString& section : sections) {
        const qsizetype at = text.indexOf(section);
        EXPECT_GT(at, previous) << section.toStdString();
        previous = at;
    }
    EXPECT_EQ(text.count("Dialogs="), 2);
    EXPECT_EQ(text.count("df_Str=10"), 1);
    EXPECT_EQ(text.count("Vozik=1"), 1);
    EXPECT_EQ(text.count("Uhol natocenia=0"), 1);
    EXPECT_EQ(text.count("Rozchod kolies=2"), 1);
    // Keys stand in the order written within their section.
    EXPECT_LT(text.indexOf("DosahScanerra="), text.indexOf("StartPossitionX="));
    EXPECT_LT(text.indexOf("Vozik="), text.indexOf("MinVzdialenost="));
}

TEST_F(ConfigTest, NamesInOtherLetterCaseAreFoundAndWriteOnlyKeysHaveNoEffect)
{
    writeFile("TAV.INI",
              "[vozidlo]\r\ndlzka=33\r\nROZCHOD KOLIES = 44 \r\nUhol natocenia=7\r\n"
              "[defaultvalues]\r\nstartpossitionx=-12\r\nVozik=9\r\n");
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(view().m_pCart->cartLength, 33);
    EXPECT_EQ(view().m_pCart->wheelTrack, 44);
    EXPECT_EQ(view().m_pCart->heading, 0.0);
    EXPECT_EQ(view().m_startEndDlg.m_startX, -12);
    EXPECT_EQ(view().m_startEndDlg.m_startY, 300);
}

TEST_F(ConfigTest, EmptyTextValuesShowTheirBoxesAndLeaveEmptyOrZero)
{
    writeFile("tav.ini", "[TAV]\nBitmapa=\n[DefaultValues]\ndf_Str=\n");
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(captions(), QStringList({"GetPriovateProfileStringError Mapa", "GetPriovateProfileStringError"}));
    EXPECT_TRUE(ui().messages().front().text.startsWith("Error:"));
    EXPECT_EQ(view().m_mapFileName, "");
    EXPECT_EQ(view().m_scanStepDivisor, 0.0f);
}

TEST_F(ConfigTest, TextValuesAreCutToTheirTransferSizes)
{
    writeFile("tav.ini", "[TAV]\nBitmapa=abcdefghijklmnopqrst\n[DefaultValues]\ndf_Str=0.123456789012\n");
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(view().m_mapFileName, "abcdefghijklmn");
    EXPECT_EQ(view().m_scanStepDivisor, 0.1234567f);
}

TEST_F(ConfigTest, HostileFilesReadWithoutHarm)
{
    QByteArray garbage(300000, '\0');
    for (int i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>((unsigned(i) * 7919u) % 256u);
    }
    const QByteArray hugeLine = "[DefaultValues]\nDosahScanerra=" + QByteArray(1 << 20, '9') + "\n";
    const QByteArray mixed = "\xEF\xBB\xBF[DefaultValues]\r\nDosahScanerra = +42abc \r\n"
                             "no equals sign here\nStartPossitionY=-0\n"
                             "[DefaultValues]\nEndPossitionX=1\nDosahScanerra=7\n"
                             "[TAV]\nDialogs=0x10\ndf_Str=nan\n[DefaultValues]\ndf_Str=inf\n";
    for (const QByteArray& content : {garbage, hugeLine, mixed}) {
        writeFile("tav.ini", content);
        if (!startProgram()) {
            FAIL();
        }
        ASSERT_TRUE(run(ID_READ_INI));
    }
    // The last file: BOM skipped, blanks and trailing text ignored, only the first of two
    // sections of one name is read.
    EXPECT_EQ(view().m_scannerRange, 42);
    EXPECT_EQ(view().m_startEndDlg.m_startY, 0);
    EXPECT_EQ(view().m_startEndDlg.m_endX, 560);
    EXPECT_EQ(view().m_openDialog, 16);
    EXPECT_EQ(view().m_scanStepDivisor, 0.1f);
}

TEST_F(ConfigTest, FailedWritesShowSixBoxesAndKeepTheOldFile)
{
    ASSERT_TRUE(startProgram());
    const QByteArray old = "[TAV]\nDialogs=1\n";
    writeFile("tav.ini", old);
    // A folder where the file should be makes every write fail, as root too.
    QDir(dir()).mkdir("sub");
    QDir::setCurrent(QDir(dir()).filePath("sub"));
    QDir().mkdir("tav.ini");
    ASSERT_TRUE(run(ID_WRITE_INI));
    EXPECT_EQ(captions(), QStringList(6, "Error Write to ini file !"));
    for (const ScriptedUi::Message& message : ui().messages()) {
        EXPECT_NE(message.text, "Error:0");
    }
    QDir::setCurrent(dir());
    EXPECT_EQ(readFile("tav.ini"), old);
}
