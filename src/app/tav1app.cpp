#include "app/tav1app.h"

#include "app/mainframe.h"
#include "app/userfolder.h"
#include "app/windowplacement.h"
#include "batch/batchrunner.h"
#include "platform/fileopen.h"
#include "platform/qtui.h"
#include "platform/ui.h"
#include "sim/occupancymap.h"
#include "view/tav1view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include <utility>

namespace {

// A regular file whose content an image reader recognises (read by content, not by name).
bool isImageFile(const std::string& path)
{
    QFile file;
    return openForReading(path, file) && !QImageReader::imageFormat(&file).isEmpty();
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

std::unique_ptr<CMainFrame> createMainFrame(std::string file, std::optional<std::string> map)
{
    // A description that cannot be read is refused by the import, which names it and says why.
    if (!map && !file.empty()
        && (isMapDescription(QFile::decodeName(QByteArray::fromStdString(file))) || isImageFile(file))) {
        map = std::exchange(file, std::string());
    }
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->view()->constructed()) {
        return nullptr;
    }
    if (map) {
        frame->view()->setStartupMap(*map);
    }
    if (!file.empty() && !frame->openDocument(file)) {
        return nullptr;
    }
    frame->view()->OnInitialUpdate();
    return frame;
}

int runDesktop(std::string file, std::optional<std::string> map, bool inUserFolder)
{
    QtUi qtUi;
    setUi(&qtUi);
    if (inUserFolder) {
        // Paths given on the command line keep meaning what they meant before the move.
        file = file.empty() ? file : absoluteName(file);
        map = map ? std::optional(absoluteName(*map)) : map;
        const QString folder = userFolderPath();
        QString error = prepareUserFolder(folder, installedExamplesPath());
        if (error.isEmpty() && !QDir::setCurrent(folder)) {
            error = QStringLiteral("Cannot work in the folder %1").arg(folder);
        }
        if (!error.isEmpty()) {
            ui().messageBox(QStringLiteral("TAV1"), error, Ui::Icon::Error);
            setUi(nullptr);
            return 1;
        }
    }
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
    return runBatch(options, [](const std::optional<std::string>& map) -> std::unique_ptr<BatchWindow> {
        std::unique_ptr<CMainFrame> frame = createMainFrame(std::string(), map);
        return frame ? std::make_unique<FrameForBatch>(std::move(frame)) : nullptr;
    });
}
