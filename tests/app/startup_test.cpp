// How the window starts: the map named on the command line, the first window's size and the
// size, position and state kept from the last run, and the printer Print Setup prepares.
#include "common/appfixture.h"

#include "app/mainframe.h"
#include "app/tav1app.h"
#include "app/windowplacement.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <QTimer>

using namespace cmd;

namespace {

constexpr QRgb kBlue = qRgb(40, 90, 200);

class StartupTest : public AppFixture {
protected:
    // Starts a second program window of this test (the fixture's own is not used).
    std::unique_ptr<CMainFrame> start(const std::string& file, std::optional<std::string> map = {})
    {
        std::unique_ptr<CMainFrame> frame = createMainFrame(file, std::move(map));
        if (frame) {
            frame->show();
            QApplication::processEvents();
        }
        return frame;
    }

    void writeBlueMap(const QString& path)
    {
        QImage map(300, 200, QImage::Format_RGB32);
        map.fill(kBlue);
        ASSERT_TRUE(map.save(QDir(dir()).filePath(path)));
    }
};

} // namespace

TEST_F(StartupTest, MapOptionReplacesTheConfiguredMapWithoutChangingTheConfiguration)
{
    QImage white(800, 600, QImage::Format_RGB32);
    white.fill(Qt::white);
    white.save(QDir(dir()).filePath("mapa.bmp"), "BMP");
    const QByteArray ini = "[TAV]\nDialogs=0\nBitmapa=mapa.bmp\n";
    writeFile("tav.ini", ini);
    QDir(dir()).mkdir("maps");
    writeBlueMap("maps/blue.png");

    std::unique_ptr<CMainFrame> frame = start("", "maps/blue.png");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->view()->canvas().pixel(10, 10), kBlue);
    EXPECT_EQ(frame->view()->canvas().pixel(400, 300), qRgb(255, 255, 255));
    EXPECT_EQ(frame->view()->m_mapFileName, "mapa.bmp");
    EXPECT_EQ(readFile("tav.ini"), ini);
    EXPECT_EQ(QDir::current(), QDir(dir()));
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(StartupTest, MapOptionAnswersTheMapDialogWithoutShowingIt)
{
    writeFile("tav.ini", "[TAV]\nDialogs=1\n");
    QDir(dir()).mkdir("maps");
    writeBlueMap("maps/blue.bmp");
    // Nothing answers a dialog here: one opening would be a script error.
    std::unique_ptr<CMainFrame> frame = start("", "maps/blue.bmp");
    ASSERT_TRUE(frame);
    EXPECT_TRUE(ui().scriptError().isEmpty()) << ui().scriptError().toStdString();
    EXPECT_EQ(frame->view()->canvas().pixel(10, 10), kBlue);
    EXPECT_EQ(QDir::current(), QDir(dir() + "/maps"));
}

TEST_F(StartupTest, AnImageFileIsTheMapAnyOtherFileTheDocument)
{
    writeFile("tav.ini", "[TAV]\nDialogs=0\nBitmapa=none.bmp\n");
    writeBlueMap("picture.png");
    std::unique_ptr<CMainFrame> frame = start("picture.png");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->view()->canvas().pixel(10, 10), kBlue);
    EXPECT_EQ(frame->windowTitle(), "Untitled - TAV1");
    frame.reset();

    writeFile("notes.txt", "not a map\n");
    frame = start("notes.txt");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->windowTitle(), "notes.txt - TAV1");
    EXPECT_EQ(captions(), QStringList({"Error LoadDIBFromFile"}));
    frame.reset();

    // A named pipe is refused at once, not waited on.
    ASSERT_EQ(mkfifo(QFile::encodeName(QDir(dir()).filePath("pipe")).constData(), 0600), 0);
    EXPECT_FALSE(start("pipe"));
    EXPECT_EQ(captions().last(), "TAV1");
    EXPECT_EQ(ui().messages().back().text, "Failed to open document.");
}

TEST_F(StartupTest, ADescriptionThatCannotBeReadIsRefusedWithItsNameAndReason)
{
    writeFile("tav.ini", "[TAV]\nDialogs=0\nBitmapa=none.bmp\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(QDir(dir()).filePath("fifo.yaml")).constData(), 0600), 0);
    QDir(dir()).mkdir("dir.yaml");
    const std::pair<std::string, int> cases[] = {{"missing.yaml", ENOENT}, {"fifo.yaml", ESPIPE}, {"dir.yaml", EISDIR}};
    for (const auto& [name, code] : cases) {
        ui() = ScriptedUi();
        std::unique_ptr<CMainFrame> frame = start(name);
        ASSERT_TRUE(frame) << name;
        EXPECT_EQ(captions(), QStringList({"Error Import occupancy map"})) << name;
        EXPECT_EQ(ui().messages().back().text, QString::fromStdString(name + ": " + std::strerror(code)));
    }
}

TEST_F(StartupTest, FileNamesAreTheirBytesNotUtf8Text)
{
    // Names written in a Windows code page.
    const std::string name = "l\xe9.bmp";
    writeBlueMap("blue.bmp");
    const std::string folder = QFile::encodeName(dir()).toStdString() + "/";
    ASSERT_EQ(std::rename((folder + "blue.bmp").c_str(), (folder + name).c_str()), 0);
    for (const char* dialogs : {"0", "1"}) {
        writeFile("tav.ini", QByteArray("[TAV]\nDialogs=") + dialogs + "\nBitmapa=none.bmp\n");
        for (const bool asOption : {false, true}) {
            std::unique_ptr<CMainFrame> frame = asOption ? start("", name) : start(name);
            ASSERT_TRUE(frame);
            EXPECT_EQ(frame->view()->canvas().pixel(10, 10), kBlue) << dialogs << asOption;
            EXPECT_TRUE(ui().messages().empty()) << dialogs << asOption;
            QDir::setCurrent(dir());
        }
    }
    // Not an image: the document.
    const std::string document = "n\xe9.txt";
    std::FILE* notes = std::fopen((folder + document).c_str(), "w");
    ASSERT_NE(notes, nullptr);
    std::fclose(notes);
    EXPECT_TRUE(start(document));
    EXPECT_TRUE(ui().messages().empty());
}

TEST_F(StartupTest, TheFirstWindowShowsTheWholeSampleMapAndFitsTheScreen)
{
    std::unique_ptr<CMainFrame> frame = createMainFrame(std::string());
    ASSERT_TRUE(frame);
    const QRect laptop(0, 0, 1366, 740);
    const QRect geometry = firstWindowGeometry(frame->sizeHint(), laptop);
    EXPECT_TRUE(laptop.contains(geometry));
    frame->resize(geometry.size());
    frame->show();
    QApplication::processEvents();
    const QSize shown = frame->view()->viewport()->size();
    EXPECT_GE(shown.width(), 800);
    EXPECT_GE(shown.height(), 600);

    const QRect small(0, 0, 640, 480);
    EXPECT_TRUE(small.contains(firstWindowGeometry(frame->sizeHint(), small)));
}

TEST_F(StartupTest, SizePositionAndStateAreKeptForTheNextStart)
{
    ASSERT_TRUE(startProgram());
    frame().setGeometry(120, 90, 700, 520);
    frame().action(ID_VIEW_TOOLBAR)->trigger();
    QApplication::processEvents();
    ASSERT_FALSE(frame().findChild<QToolBar*>()->isVisible());
    rememberWindowPlacement(frame());

    std::unique_ptr<CMainFrame> next = startAnother();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->geometry(), QRect(120, 90, 700, 520));
    EXPECT_FALSE(next->findChild<QToolBar*>()->isVisible());
    EXPECT_FALSE(next->action(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(StartupTest, PrintPreviewUsesWhatPrintSetupChose)
{
    ASSERT_TRUE(startProgram());
    QPageLayout::Orientation previewed = QPageLayout::Portrait;
    QTimer::singleShot(0, &frame(), [&] {
        auto* setup = frame().findChild<QPageSetupDialog*>();
        ASSERT_NE(setup, nullptr);
        // What the person chose (set directly: the dialog's own widgets would need a person).
        setup->printer()->setPageOrientation(QPageLayout::Landscape);
        setup->reject();
    });
    frame().action(ID_FILE_PRINT_SETUP)->trigger();
    QTimer::singleShot(0, &frame(), [&] {
        auto* preview = view().findChild<QPrintPreviewDialog*>();
        ASSERT_NE(preview, nullptr);
        previewed = preview->printer()->pageLayout().orientation();
        preview->reject();
    });
    frame().action(ID_FILE_PRINT_PREVIEW)->trigger();
    EXPECT_EQ(previewed, QPageLayout::Landscape);
}
