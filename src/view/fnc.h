#pragma once

#include <QString>

// The view's status-bar writer: sets pane 0 of the main window and shows it at once.
class CFnc {
public:
    void SetStatusText(const QString& text) const;
    // The pointer's position in metres, in a field of its own; an empty text hides the field.
    void SetMapPositionText(const QString& text) const;
    // The run's first collision, in a field of its own; an empty text hides the field.
    void SetCollisionText(const QString& text) const;
    // Shows a run's progress beside the panes; a total of 0 hides it.
    void SetRunProgress(int done, int total) const;
};
