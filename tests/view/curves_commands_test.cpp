#include "common/appfixture.h"
#include "common/ordinaryuser.h"

#include "app/mainframe.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace cmd;

namespace {

constexpr QRgb kPlotColour = qRgb(128, 128, 0);

class CurvesTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(startOnWhiteMap("[TAV]\nDialogs=0\n[Velmora]\nDialogs=0\nMessageBox=1\n"));
    }
    int countColour(QRgb colour)
    {
        int n = 0;
        const QImage& canvas = view().canvas();
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                n += canvas.pixel(x, y) == colour;
            }
        }
        return n;
    }
    float x(int i) { return view().m_pointsX.get()[i]; }
};

} // namespace

TEST_F(CurvesTest, SaveCircleWritesTheFileAndLoadDataReadsItBack)
{
    view().m_curveDlg.m_valueCount = 4;
    view().m_curveDlg.m_radius10 = 1;
    ASSERT_TRUE(run(ID_SAVE_CIRCLE));
    EXPECT_TRUE(readFile("aaa.dat").startsWith("0.00000044 10.00000000 \n"));
    EXPECT_EQ(readFile("aaa.dat").count('\n'), 4);
    EXPECT_EQ(view().m_pointCount, 5);
    EXPECT_TRUE(view().m_plotOnDraw);

    view().m_curveDlg.m_valueCount = 12;
    view().m_curveDlg.m_radius10 = 5;
    ASSERT_TRUE(run(ID_SAVE_CIRCLE));
    ASSERT_TRUE(run(ID_LOAD_DATA));
    EXPECT_EQ(view().m_pointCount, 12);
    EXPECT_NEAR(x(11), 50.0f, 1e-4);
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(CurvesTest, PlotSetsOnePixelPerPointAndDrawsEllipsesAndNumbersAtTheStart)
{
    writeFile("aaa.dat", "10 10 \n20 10 \n30 10 \n40 10 \n");
    ASSERT_TRUE(run(ID_LOAD_DATA));
    ASSERT_EQ(view().m_pointCount, 4);
    // Points 0..2 are plotted; point 3 only closes the last shape.
    EXPECT_EQ(countColour(kPlotColour), 3);
    EXPECT_EQ(view().canvas().pixel(30, 10), kPlotColour);
    EXPECT_NE(view().canvas().pixel(40, 10), kPlotColour);

    view().m_curveDlg.m_squaresEllipses = 1;
    view().m_curveDlg.m_numbers = 1;
    view().m_curveDlg.m_curveStartY = 300;
    ASSERT_TRUE(run(ID_POMOCNE_MENU));
    EXPECT_EQ(countColour(kPlotColour), 3);
    // Ellipses between consecutive points, shifted by the start: (210,310)-(220,310) is flat,
    // so use the numbers: the index 0 stands at (210, 310).
    int black = 0;
    for (int y = 310; y < 325; ++y) {
        for (int xx = 210; xx < 240; ++xx) {
            black += view().canvas().pixel(xx, y) == qRgb(0, 0, 0);
        }
    }
    EXPECT_GT(black, 0);
}

TEST_F(CurvesTest, KresliWithoutDataAndEmptyOrMissingFiles)
{
    ASSERT_TRUE(run(ID_KRESLI));
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].caption, "");
    EXPECT_EQ(ui().messages()[0].text, "Data no exzist !");

    writeFile("aaa.dat", "");
    ASSERT_TRUE(run(ID_LOAD_DATA));
    EXPECT_EQ(view().m_pointCount, 0);
    EXPECT_TRUE(view().m_plotOnDraw);

    QFile::remove(QDir(dir()).filePath("aaa.dat"));
    ASSERT_TRUE(run(ID_LOAD_DATA));
    ASSERT_EQ(ui().messages().size(), 2u);
    EXPECT_EQ(ui().messages()[1].text, "Error fopen !");
    EXPECT_EQ(ui().messages()[1].caption, QString::number(ENOENT));
}

TEST_F(CurvesTest, ReadOnlyPointFilesLoadAndBadTextIsReportedOnce)
{
    if (rerunAsOrdinaryUser()) {
        return;
    }
    writeFile("aaa.dat", "1 2 \n3 4 \n");
    QFile::setPermissions(QDir(dir()).filePath("aaa.dat"), QFileDevice::ReadOwner);
    ASSERT_TRUE(run(ID_LOAD_DATA));
    EXPECT_EQ(view().m_pointCount, 2);
    EXPECT_TRUE(ui().messages().empty());

    QFile::setPermissions(QDir(dir()).filePath("aaa.dat"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    writeFile("aaa.dat", "1 2\nnot numbers here\n5 6\n");
    ASSERT_TRUE(run(ID_LOAD_DATA));
    EXPECT_EQ(captions(), QStringList({"Error scanf !"}));
    EXPECT_EQ(view().m_pointCount, 1);
}

TEST_F(CurvesTest, AFullSetOfPointsKeepsItsClosingEntryAndLongFilesStopAtTheCapacity)
{
    view().m_curveDlg.m_valueCount = 5000;
    ASSERT_TRUE(run(ID_SAVE_CIRCLE));
    EXPECT_EQ(view().m_pointCount, 5001);
    EXPECT_EQ(x(5000), x(4999));
    QByteArray many;
    for (int i = 0; i < 10000; ++i) {
        many += QByteArray::number(i) + " 1 \n";
    }
    writeFile("aaa.dat", many);
    ASSERT_TRUE(run(ID_LOAD_DATA));
    EXPECT_EQ(view().m_pointCount, 5000);
}

TEST_F(CurvesTest, IntegrationOfOnePairUnderTheSimplerRule)
{
    writeFile("samples.dat", "1 0\n");
    view().m_curveDlg.m_samplingPeriod = 1.0f;
    ui().setAnswers({"samples.dat"});
    ASSERT_TRUE(run(ID_ALGORITMUS));
    EXPECT_EQ(view().m_pointCount, 3);
    EXPECT_EQ(view().m_integrationCount, 3);
    EXPECT_EQ(view().m_pAlgoBuffer.get()[2].posX, 202.0f);
    EXPECT_EQ(x(1), 201.0f);
    EXPECT_EQ(x(2), 202.0f);
    EXPECT_EQ(x(0), 0.0f);
    EXPECT_EQ(view().m_dataFileName, "samples.dat");
    ASSERT_EQ(ui().messages().size(), 1u);
    EXPECT_EQ(ui().messages()[0].caption, "INFO");
    EXPECT_EQ(ui().messages()[0].text,
              "Vzoriek:3\nPocet:3\nAlgoritmus Integracie:0 \n\t[false - jednoduhsi, true - presnejsi]");
    std::fflush(view().m_traceFile);
    EXPECT_EQ(readFile("temp.txt"), "OnALgoritmus Start\n201 200\n202 200\nOnALgoritmus Stop\n");
    // Markers: circles 4 pixels across around (201, 200) and (202, 200).
    EXPECT_EQ(view().canvas().pixel(200, 198), qRgb(0, 0, 0));
}

TEST_F(CurvesTest, IntegrationUnderThePreciseRuleWithoutBoxOrMarkers)
{
    writeFile("samples.dat", "1 0\n");
    view().m_curveDlg.m_samplingPeriod = 1.0f;
    view().m_curveDlg.m_preciseIntegration = 1;
    view().m_curveDlg.m_incrementalEllipse = 0;
    view().m_showMessageBox = 0;
    ui().setAnswers({"samples.dat"});
    ASSERT_TRUE(run(ID_ALGORITMUS));
    EXPECT_TRUE(ui().messages().empty());
    EXPECT_EQ(view().m_pAlgoBuffer.get()[1].posX, 200.5f);
    EXPECT_EQ(view().m_pAlgoBuffer.get()[2].posX, 201.5f);
    EXPECT_EQ(x(1), 0.5f);
    EXPECT_EQ(x(2), 0.5f);
    std::fflush(view().m_traceFile);
    EXPECT_EQ(readFile("temp.txt"), "OnALgoritmus Start\n201 200\n202 200\nOnALgoritmus Stop\n");
    EXPECT_NE(view().canvas().pixel(200, 198), qRgb(0, 0, 0));
}

TEST_F(CurvesTest, IntegrationOfAnEmptyFileAMissingFileAndALongName)
{
    writeFile("empty.dat", "");
    ui().setAnswers({"empty.dat"});
    ASSERT_TRUE(run(ID_ALGORITMUS));
    EXPECT_EQ(view().m_pointCount, 2);
    EXPECT_EQ(view().m_pAlgoBuffer.get()[1].posX, 200.0f);

    ui().setAnswers({"absent.dat"});
    ASSERT_TRUE(run(ID_ALGORITMUS));
    EXPECT_EQ(captions().last(), "Error open file data.dat !");
    EXPECT_EQ(view().m_dataFileName, "empty.dat");

    const QString longName = QString(90, 'n') + ".dat";
    writeFile(longName, "1 1\n");
    ui().setAnswers({QFile::encodeName(longName)});
    ASSERT_TRUE(run(ID_ALGORITMUS));
    EXPECT_EQ(view().m_dataFileName, std::string(75, 'n'));
    view().OnMouseMove(QPoint(1, 1));
    EXPECT_TRUE(frame().paneText().endsWith("File:" + QString(75, 'n')));
}

TEST_F(CurvesTest, FailedWritesAreReportedNotPassedAsSaved)
{
    QDir(dir()).mkdir("aaa.dat");
    ASSERT_TRUE(run(ID_SAVE_CIRCLE));
    ASSERT_EQ(captions(), QStringList({"Error OpenFile"}));
    EXPECT_EQ(ui().messages()[0].text, QString::number(EISDIR));
    EXPECT_EQ(view().m_pointCount, 24);
    EXPECT_FALSE(view().m_plotOnDraw);
    // A device is no file to save into: refused at open, never written (a full disk is tried
    // by the hostile-input tests).
    if (access("/dev/full", W_OK) == 0) {
        view().m_curveDialogs = 1;
        ui().setAnswers({"/dev/full"});
        ASSERT_TRUE(run(ID_SAVE_CIRCLE));
        EXPECT_EQ(captions().last(), "Error fopenFile");
        EXPECT_EQ(ui().messages().back().text, QString("Error:%1").arg(ENODEV));
    }
}
