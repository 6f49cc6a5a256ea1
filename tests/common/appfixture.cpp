#include "common/appfixture.h"

#include "app/mainframe.h"
#include "app/tav1app.h"
#include "dialogs/systemdlg.h"
#include "platform/blockalloc.h"
#include "sim/scanrecord.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>

AppFixture::AppFixture() = default;
AppFixture::~AppFixture() = default;

void AppFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("TAV1")).clear();
    // What a new process starts with.
    g_systemDlg = CSystemDlg();
    g_scanFarthestDistance = 0.0f;
    g_scanFarthestAngle = 0.0f;
    g_obstacleCount = 0;
    setBlockAllocator(nullptr);
    setUi(&m_ui);
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
    m_frame = createMainFrame(QString());
    if (!m_frame) {
        return false;
    }
    m_frame->show();
    QApplication::processEvents();
    return true;
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
