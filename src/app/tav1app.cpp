#include "app/tav1app.h"

#include "app/mainframe.h"
#include "app/windowplacement.h"
#include "batch/batchrunner.h"
#include "platform/qtui.h"
#include "view/tav1view.h"

#include <QAction>
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

// The main frame as the batch runner drives it.
class FrameForBatch : public BatchWindow {
public:
    explicit FrameForBatch(std::unique_ptr<CMainFrame> frame) : m_frame(std::move(frame)) {}
    QWidget& widget() override { return *m_frame; }
    CTAV1View& view() override { return *m_frame->view(); }
    void trigger(int commandId) override
    {
        if (QAction* action = m_frame->action(commandId); action != nullptr && action->isEnabled()) {
            action->trigger();
        }
    }
    QString statusText() const override { return m_frame->paneText(); }

private:
    std::unique_ptr<CMainFrame> m_frame;
};

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

int runScript(const BatchOptions& options)
{
    return runBatch(options, [](const std::optional<QString>& map) -> std::unique_ptr<BatchWindow> {
        std::unique_ptr<CMainFrame> frame = createMainFrame(QString(), map);
        return frame ? std::make_unique<FrameForBatch>(std::move(frame)) : nullptr;
    });
}
