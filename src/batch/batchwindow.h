#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class CTAV1View;
class QWidget;

// The program's main window as the batch runner drives it; the application makes it.
class BatchWindow {
public:
    virtual ~BatchWindow() = default;
    // The top-level window, to show and to size.
    virtual QWidget& widget() = 0;
    virtual CTAV1View& view() = 0;
    // Runs a command as its menu item does; nothing happens when the item is disabled.
    virtual void trigger(int commandId) = 0;
    // Pane 0 of the status bar.
    virtual QString statusText() const = 0;
};

// Makes the main window starting on `map` (see CTAV1View::setStartupMap); null when the
// program cannot start.
using BatchWindowMaker = std::function<std::unique_ptr<BatchWindow>(const std::optional<std::string>& map)>;
