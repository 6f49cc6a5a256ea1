#pragma once

#include <QString>

#include <optional>
#include <string>

class QDialog;

// What a file dialog is asked for.
struct FileDialogRequest {
    bool open = true;            // open dialog; false: save dialog
    QString defaultExtension;    // without the dot, e.g. "bmp"
    QString initialName;         // e.g. "*.bmp"
    bool overwritePrompt = false;
    QString caption;             // empty: the dialog's own ("Open", "Save As")
    QString filter;              // a named filter, e.g. "CSV files (*.csv)"; empty: initialName's
};

// A parameter dialog as the Ui service runs it: the real dialog, loaded from its members, and
// the two things a person does with it.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    virtual QDialog& dialog() = 0;
    // Types text into the control bound to the member `field` (its name without "m_"); a check
    // box takes "0" or "1". False when the dialog has no such field or the text does not fit.
    virtual bool typeInto(const QString& field, const QString& text) = 0;
    // Presses OK: saves the fields with their checks. False when a check refused a field (its
    // message has been shown and the dialog is still open).
    virtual bool pressOk() = 0;
};

// Results of a modal dialog.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Everything the program asks of the person at the screen goes through this service, so the
// desktop program uses real boxes and dialogs, and the batch runner and the tests answer them
// from a script.
class Ui {
public:
    enum class Icon { None, Information, Warning, Error };

    virtual ~Ui() = default;

    // A modal message box with an OK button.
    virtual void messageBox(const QString& caption, const QString& text, Icon icon) = 0;
    // A command could not do what it was asked (a file it could not write): the error box, and
    // where a script runs the command, the script stops there as at any error of its own.
    virtual void commandFailed(const QString& caption, const QString& text) { messageBox(caption, text, Icon::Error); }
    // A modal file dialog. On OK the chosen file's folder becomes the working directory and
    // the absolute path of the file is returned, as the bytes the system names it by; nothing
    // on cancel.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
    // Runs a parameter dialog modally; returns IDOK or IDCANCEL.
    virtual int runModal(ModalDialog& dialog) = 0;
    // The system's default beep.
    virtual void beep() = 0;
};

// The service in use. The application installs one at start-up; tests install their own.
Ui& ui();
void setUi(Ui* service);

// What OK on a file dialog does with the chosen file: its folder becomes the working directory;
// returns the file's absolute path. The name is bytes, kept byte for byte.
std::string takeChosenFile(const std::string& path);

// The program-wide error box: text "Error:<code>", the caption, the error icon, an OK button.
void ShowError(int code, const char* caption);
// The same box for a command that could not write its file (see Ui::commandFailed).
void ShowCommandError(int code, const char* caption);
