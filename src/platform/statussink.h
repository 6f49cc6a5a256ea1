#pragma once

#include <QString>

// The panes a text can go to: the message pane, the pointer's position in metres, and the
// run's first collision.
constexpr int kMessagePane = 0;
constexpr int kMapPositionPane = 1;
constexpr int kCollisionPane = 2;

// The main window's status bar, as the view's status writer reaches it. The main window
// registers itself while it exists; with none registered, status texts go nowhere.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setPaneText(int pane, const QString& text) = 0;
    // The progress of a run: `done` steps of `total`; a total of 0 means no run is going.
    virtual void setRunProgress(int done, int total) = 0;
};

StatusSink* mainStatusSink();
void setMainStatusSink(StatusSink* sink);
