#pragma once

#include "platform/ui.h"

#include <QStringList>

#include <cstdio>
#include <vector>

// Answers boxes and dialogs from a script, with no person at the screen: message boxes are
// answered with OK and recorded; a file dialog takes the next answer word, a path or "cancel".
class ScriptedUi : public Ui {
public:
    struct Message {
        QString caption;
        QString text;
    };

    // Each box is also written to `echo` (e.g. stderr) as one line "[caption] text".
    explicit ScriptedUi(std::FILE* echo = nullptr) : m_echo(echo) {}

    void messageBox(const QString& caption, const QString& text, Icon icon) override;
    std::optional<QString> fileDialog(const FileDialogRequest& request) override;
    void beep() override { ++m_beeps; }

    // The answers for the dialogs of the command about to run; unused ones are dropped.
    void setAnswers(const QStringList& answers);
    // Takes the next answer word; false when none is left (a dialog opened with no answer).
    bool takeAnswer(QString& answer);
    // True when a dialog opened with no answer given since the flag was last cleared.
    bool missingAnswer() const { return m_missingAnswer; }
    void clearMissingAnswer() { m_missingAnswer = false; }

    const std::vector<Message>& messages() const { return m_messages; }
    int beeps() const { return m_beeps; }

private:
    std::FILE* m_echo;
    std::vector<Message> m_messages;
    QStringList m_answers;
    bool m_missingAnswer = false;
    int m_beeps = 0;
};
