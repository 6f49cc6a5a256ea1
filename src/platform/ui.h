#pragma once

#include <QString>

#include <optional>

class QWidget;

// What a file dialog is asked for.
struct FileDialogRequest {
    bool open = true;            // open dialog; false: save dialog
    QString defaultExtension;    // without the dot, e.g. "bmp"
    QString initialName;         // e.g. "*.bmp"
    bool overwritePrompt = false;
};

// Everything the program asks of the person at the screen goes through this service, so the
// desktop program uses real boxes and dialogs, and the batch runner and the tests answer them
// from a script.
class Ui {
public:
    enum class Icon { None, Information, Warning, Error };

    virtual ~Ui() = default;

    // A modal message box with an OK button.
    virtual void messageBox(const QString& caption, const QString& text, Icon icon) = 0;
    // A modal file dialog. On OK the chosen file's folder becomes the working directory and
    // the absolute path of the file is returned; nothing on cancel.
    virtual std::optional<QString> fileDialog(const FileDialogRequest& request) = 0;
    // The system's default beep.
    virtual void beep() = 0;
};

// The service in use. The application installs one at start-up; tests install their own.
Ui& ui();
void setUi(Ui* service);

// The program-wide error box: text "Error:<code>", the caption, the error icon, an OK button.
void ShowError(int code, const char* caption);
