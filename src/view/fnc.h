#pragma once

#include <QString>

// The view's status-bar writer: sets pane 0 of the main window and shows it at once.
class CFnc {
public:
    void SetStatusText(const QString& text) const;
};
