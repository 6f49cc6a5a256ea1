#pragma once

#include "batch/batchwindow.h"

#include <QSize>
#include <QString>

#include <optional>
#include <string>

struct BatchOptions {
    std::string script;         // a path in bytes, or "-" for standard input
    QSize size{800, 600};       // the view's client size
    bool fast = false;          // skip the animation's pauses
    std::optional<std::string> map; // the map the window starts with, as bytes (see CTAV1View::setStartupMap)
};

// Exit statuses of a batch run.
constexpr int kBatchDone = 0;
constexpr int kBatchCannotStart = 1;
constexpr int kBatchScriptError = 2;

// Runs the script on an offscreen main window with no person at the screen. Message boxes are
// answered with OK and written to standard error; script errors are reported there with their
// line number.
int runBatch(const BatchOptions& options, const BatchWindowMaker& makeWindow);
