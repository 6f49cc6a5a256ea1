#include "app/tav1app.h"

#include "app/mainframe.h"
#include "platform/qtui.h"
#include "view/tav1view.h"

#include <QApplication>

std::unique_ptr<CMainFrame> createMainFrame(const QString& file)
{
    auto frame = std::make_unique<CMainFrame>();
    if (!frame->view()->constructed()) {
        return nullptr;
    }
    if (!file.isEmpty() && !frame->openDocument(file)) {
        return nullptr;
    }
    frame->view()->OnInitialUpdate();
    return frame;
}

int runDesktop(const QString& file)
{
    QtUi qtUi;
    setUi(&qtUi);
    std::unique_ptr<CMainFrame> frame = createMainFrame(file);
    int status = 1;
    if (frame) {
        frame->show();
        status = QApplication::exec();
        frame.reset();
    }
    setUi(nullptr);
    return status;
}
