#include "common/appfixture.h"

#include "app/mainframe.h"
#include "app/tav1app.h"
#include "app/windowplacement.h"
#include "dialogs/systemdlg.h"
#include "platform/blockalloc.h"
#include "sim/scanrecord.h"
#include "view/screengrab.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTest>

AppFixture::AppFixture() = default;
AppFixture::~AppFixture() = default;

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("TAV1")).clear();
    resetProcessState();
    setUi(&m_ui);
}

std::unique_ptr<CMainFrame> AppFixture::startAnother(const QString& file)
{
    std::unique_ptr<CMainFrame> another = createMainFrame(QFile::encodeName(file).toStdString());
    if (another) {
        placeFirstWindow(*another);
        another->show();
        QApplication::processEvents();
    }
    return another;
}

void AppFixture::resetProcessState()
{
    g_systemDlg = CSystemDlg();
    g_scanFarthestDistance = 0.0f;
    g_scanFarthestAngle = 0.0f;
    g_obstacleCount = 0;
    setBlockAllocator(nullptr);
}

void AppFixture::TearDown()
{
    m_frame.reset();
    setUi(nullptr);
    setBlockAllocator(nullptr);
    QDir::setCurrent(m_previousDir);
}

bool AppFixture::startProgram()
{
    m_frame = createMainFrame(std::string());
    if (!m_frame) {
        return false;
    }
    m_frame->show();
    QApplication::processEvents();
    return true;
}

void AppFixture::closeProgram()
{
    m_frame.reset();
}

bool AppFixture::startOnWhiteMap(const QByteArray& ini)
{
    QImage floor(800, 600, QImage::Format_RGB32);
    floor.fill(Qt::white);
    floor.save(QDir(m_dir.path()).filePath("mapa.bmp"), "BMP");
    writeFile("tav.ini", ini);
    return startProgram();
}

CTAV1View& AppFixture::view()
{
    return *m_frame->view();
}

bool AppFixture::run(int commandId)
{
    QAction* action = m_frame->action(commandId);
    if (action == nullptr || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    QApplication::processEvents();
    return true;
}

void AppFixture::doubleClick(QPoint canvasPoint)
{
    QTest::mouseDClick(view().widget(), Qt::LeftButton, {}, canvasPoint);
}

::testing::AssertionResult AppFixture::screenShowsCanvas()
{
    const QImage shown = grabShownView(view());
    const QRect area = view().visibleCanvasRect();
    const QImage expected = view().canvas().copy(area);
    if (shown.size() != expected.size()) {
        return ::testing::AssertionFailure() << "screen area " << shown.width() << "x" << shown.height();
    }
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y)) {
                return ::testing::AssertionFailure()
                    << "canvas pixel (" << area.x() + x << ", " << area.y() + y << ") is "
                    << QColor(expected.pixel(x, y)).name().toStdString() << " on the canvas, "
                    << QColor(shown.pixel(x, y)).name().toStdString() << " on the screen";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

void AppFixture::writeFile(const QString& name, const QByteArray& content)
{
    QFile file(QDir(m_dir.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray AppFixture::readFile(const QString& name) const
{
    QFile file(QDir(m_dir.path()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList AppFixture::captions() const
{
    QStringList result;
    for (const ScriptedUi::Message& message : m_ui.messages()) {
        result << message.caption;
    }
    return result;
}
