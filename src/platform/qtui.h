#pragma once

#include "platform/ui.h"

// The desktop program's boxes and file dialogs.
class QtUi : public Ui {
public:
    void messageBox(const QString& caption, const QString& text, Icon icon) override;
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
    int runModal(ModalDialog& dialog) override;
    void beep() override;
};
