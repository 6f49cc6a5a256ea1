#include "common/appfixture.h"

#include "config/inisettings.h"
#include "view/tav1view.h"

#include <QDir>

#include <string>
#include <tuple>

namespace {

// The places the values read go, each marked until it is read.
struct Values {
    int curveDialogs = -1, showMessageBox = -1, openDialog = -1, useDefaults = -1, scannerRange = -1;
    int startX = -1, startY = -1, endX = -1, endY = -1, minDistance = -1, cartLength = -1, wheelTrack = -1;
    std::string mapFileName = "unread";
    float scanStepDivisor = -1.0f;

    IniTargets targets()
    {
        return {&curveDialogs, &showMessageBox, &openDialog, &useDefaults, &scannerRange, &startX, &startY,
                &endX,         &endY,           &cartLength, &wheelTrack,  &mapFileName,  &scanStepDivisor,
                &minDistance};
    }
    auto fields() const
    {
        return std::make_tuple(curveDialogs, showMessageBox, openDialog, useDefaults, scannerRange, startX, startY,
                               endX, endY, minDistance, cartLength, wheelTrack, mapFileName, scanStepDivisor);
    }
};

auto viewFields(const CTAV1View& view)
{
    return std::make_tuple(view.m_curveDialogs, view.m_showMessageBox, view.m_openDialog, view.m_useDefaults,
                           view.m_scannerRange, view.m_startEndDlg.m_startX, view.m_startEndDlg.m_startY,
                           view.m_startEndDlg.m_endX, view.m_startEndDlg.m_endY, g_minDistance,
                           view.m_pCart->cartLength, view.m_pCart->wheelTrack, view.m_mapFileName,
                           view.m_scanStepDivisor);
}

const Values kDefaults{1, 1, 1, 1, 10, 300, 300, 560, 500, 100, 10, 10, "mapa.bmp", 0.1f};
const Values kWritten{0, 0, 0, 1, 150, 300, 300, 600, 600, 10, 20, 2, "mapa.bmp", 10.0f};

Values read()
{
    Values values;
    readIniFile(values.targets());
    return values;
}

// A fresh working directory and the scripted Ui; the program is started only where the view
// is what is tested.
class IniSettingsTest : public AppFixture {};

} // namespace

TEST_F(IniSettingsTest, NoFileGivesTheDefaultsSilently)
{
    EXPECT_EQ(read().fields(), kDefaults.fields());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(IniSettingsTest, WrittenFileReadsBackAsTheWrittenValues)
{
    writeIniFile();
    EXPECT_EQ(read().fields(), kWritten.fields());
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(IniSettingsTest, WriteCreatesSectionsInOrderAndTwiceLeavesOneLinePerKey)
{
    writeIniFile();
    const QByteArray once = readFile("tav.ini");
    writeIniFile();
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

TEST_F(IniSettingsTest, NamesInOtherLetterCaseAreFound)
{
    writeFile("TAV.INI", "[vozidlo]\r\ndlzka=33\r\nROZCHOD KOLIES = 44 \r\n[defaultvalues]\r\nstartpossitionx=-12\r\n");
    const Values values = read();
    EXPECT_EQ(values.cartLength, 33);
    EXPECT_EQ(values.wheelTrack, 44);
    EXPECT_EQ(values.startX, -12);
    EXPECT_EQ(values.startY, 300);
}

TEST_F(IniSettingsTest, EmptyTextValuesShowTheirBoxesAndLeaveEmptyOrZero)
{
    writeFile("tav.ini", "[TAV]\nBitmapa=\n[DefaultValues]\ndf_Str=\n");
    const Values values = read();
    EXPECT_EQ(captions(), QStringList({"GetPriovateProfileStringError Mapa", "GetPriovateProfileStringError"}));
    EXPECT_TRUE(ui().messages().front().text.startsWith("Error:"));
    EXPECT_EQ(values.mapFileName, "");
    EXPECT_EQ(values.scanStepDivisor, 0.0f);
}

TEST_F(IniSettingsTest, TextValuesAreCutToTheirTransferSizes)
{
    writeFile("tav.ini", "[TAV]\nBitmapa=abcdefghijklmnopqrst\n[DefaultValues]\ndf_Str=0.123456789012\n");
    const Values values = read();
    EXPECT_EQ(values.mapFileName, "abcdefghijklmn");
    EXPECT_EQ(values.scanStepDivisor, 0.1234567f);
}

TEST_F(IniSettingsTest, HostileFilesReadWithoutHarm)
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
    Values values;
    for (const QByteArray& content : {garbage, hugeLine, mixed}) {
        writeFile("tav.ini", content);
        values = read();
    }
    // The last file: BOM skipped, blanks and trailing text ignored, only the first of two
    // sections of one name is read.
    EXPECT_EQ(values.scannerRange, 42);
    EXPECT_EQ(values.startY, 0);
    EXPECT_EQ(values.endX, 560);
    EXPECT_EQ(values.openDialog, 16);
    EXPECT_EQ(values.scanStepDivisor, 0.1f);
}

TEST_F(IniSettingsTest, FailedWritesShowSixBoxesAndKeepTheOldFile)
{
    const QByteArray old = "[TAV]\nDialogs=1\n";
    writeFile("tav.ini", old);
    // A folder where the file should be makes every write fail, as root too.
    QDir(dir()).mkdir("sub");
    QDir::setCurrent(QDir(dir()).filePath("sub"));
    QDir().mkdir("tav.ini");
    writeIniFile();
    EXPECT_EQ(captions(), QStringList(6, "Error Write to ini file !"));
    for (const ScriptedUi::Message& message : ui().messages()) {
        EXPECT_NE(message.text, "Error:0");
    }
    QDir::setCurrent(dir());
    EXPECT_EQ(readFile("tav.ini"), old);
}

TEST_F(IniSettingsTest, ViewReadsEveryValueIntoItsMemberAndWritingChangesNone)
{
    ASSERT_TRUE(startProgram());
    EXPECT_EQ(viewFields(view()), kDefaults.fields());
    writeFile("tav.ini", "[Velmora]\nDialogs=2\nMessageBox=3\n"
                         "[TAV]\nDialogs=4\nDefault=5\nBitmapa=plan.bmp\n"
                         "[DefaultValues]\nDosahScanerra=6\nStartPossitionX=7\nStartPossitionY=8\n"
                         "EndPossitionX=9\nEndPossitionY=11\nVozik=9\nMinVzdialenost=12\ndf_Str=13.5\n"
                         "[Vozidlo]\nDlzka=14\nRozchod kolies=15\nUhol natocenia=7\n");
    ASSERT_TRUE(view().ReadIni());
    const Values distinct{2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 14, 15, "plan.bmp", 13.5f};
    EXPECT_EQ(viewFields(view()), distinct.fields());
    // Keys only written are not read: the cart keeps its heading.
    EXPECT_EQ(view().m_pCart->heading, 0.0);

    view().OnWriteIni();
    EXPECT_EQ(viewFields(view()), distinct.fields());
    ASSERT_TRUE(view().ReadIni());
    EXPECT_EQ(viewFields(view()), kWritten.fields());
    EXPECT_TRUE(ui().messages().empty());
}
