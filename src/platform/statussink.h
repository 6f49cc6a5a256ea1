#pragma once

#include <QString>

// Pane 0 of the main window's status bar, as the view's status writer reaches it. The main
// window registers itself while it exists; with none registered, status texts go nowhere.
class StatusSink {
public:
    virtual ~StatusSink() = default;
    virtual void setPaneText(int pane, const QString& text) = 0;
};

StatusSink* mainStatusSink();
void setMainStatusSink(StatusSink* sink);
