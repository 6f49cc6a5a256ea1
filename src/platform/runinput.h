#pragma once

#include <QObject>

// A run that holds the program takes no user input, with one exception: Esc ends it. While a
// block exists, the pauses let user input through to it (rather than leaving it queued for
// after the run); it drops every key, button, wheel and shortcut event and notes an Esc press.
class UserInputBlock : public QObject {
public:
    UserInputBlock();
    ~UserInputBlock() override;
    UserInputBlock(const UserInputBlock&) = delete;
    UserInputBlock& operator=(const UserInputBlock&) = delete;

    bool escapePressed() const { return m_escapePressed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_escapePressed = false;
};

// True while some UserInputBlock exists.
bool userInputBlocked();
