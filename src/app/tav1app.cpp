#include "app/tav1app.h"

#include "app/mainframe.h"
#include "app/windowplacement.h"
#include "platform/qtui.h"
#include "view/tav1view.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <utility>

namespace {

// A regular file whose content an image reader recognises (read by content, not by name).
bool isImageFile(const QString& path)
{
    return QFileInfo(path).isFile() && !QImageReader::imageFormat(path).isEmpty();
}

} // namespace

std::unique_ptr<CMainFrame> createMainFrame(QString file, std::optional<QString> map)
{
    if (!map && !file.isEmpty() && isImageFile(file)) {
        map = std::exchange(file, QString());
    }
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->view()->constructed()) {
        return nullptr;
    }
    if (map) {
        frame->view()->setStartupMap(QFile::encodeName(*map).toStdString());
    }
    if (!file.isEmpty() && !frame->openDocument(file)) {
        return nullptr;
    }
    frame->view()->OnInitialUpdate();
    return frame;
}

int runDesktop(const QString& file, const std::optional<QString>& map)
{
    QtUi qtUi;
    setUi(&qtUi);
    std::unique_ptr<CMainFrame> frame = createMainFrame(file, map);
    int status = 1;
    if (frame) {
        placeFirstWindow(*frame);
        frame->show();
        status = QApplication::exec();
        rememberWindowPlacement(*frame);
        frame.reset();
    }
    setUi(nullptr);
    return status;
}
