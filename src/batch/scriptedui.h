#pragma once

#include "platform/ui.h"

#include <QByteArrayList>

#include <cstdio>
#include <vector>

// `text` as one line of standard error: line ends and NUL bytes shown escaped ("\n", "\0").
QByteArray echoLine(QString text);

// Answers boxes and dialogs from a script, with no person at the screen: message boxes are
// answered with OK and recorded; a file dialog takes the answer word, a file's path (its bytes as
// they are) or "cancel", and refuses a folder's name or a second word; a parameter dialog takes "cancel", or field=value words typed into its fields before OK is
// pressed (no words: OK on the dialog as it opened). A refused OK is followed by Cancel.
class ScriptedUi : public Ui {
public:
    struct Message {
        QString caption;
        QString text;
    };

    // Each box is also written to `echo` (e.g. stderr) as one line "[caption] text".
    explicit ScriptedUi(std::FILE* echo = nullptr) : m_echo(echo) {}

    void messageBox(const QString& caption, const QString& text, Icon icon) override;
    void commandFailed(const QString& caption, const QString& text) override;
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
    int runModal(ModalDialog& dialog) override;
    void beep() override { ++m_beeps; }

    // The answers for the dialogs of the command about to run; unused ones are dropped.
    void setAnswers(const QByteArrayList& answers);
    // The first answer that a dialog could not take since the last clear: a file dialog that
    // opened with no answer, a word a parameter dialog has no field for, or a command that
    // failed. Empty when none.
    const QString& scriptError() const { return m_scriptError; }
    void clearScriptError() { m_scriptError.clear(); }

    const std::vector<Message>& messages() const { return m_messages; }
    int beeps() const { return m_beeps; }

private:
    std::FILE* m_echo;
    std::vector<Message> m_messages;
    QByteArrayList m_answers;
    QString m_scriptError;
    int m_beeps = 0;
};
