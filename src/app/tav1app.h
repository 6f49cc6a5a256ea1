#pragma once

#include <QString>

#include <memory>
#include <optional>

class CMainFrame;

// Builds the main frame with its document and view. `map` is the map the window starts with
// instead of the configured one; a `file` that is an image is taken as that map, any other
// file is opened as the data-less document. Returns null when the program cannot start: the
// view's buffers could not be had, or the file cannot be opened (both already reported in a box).
std::unique_ptr<CMainFrame> createMainFrame(QString file, std::optional<QString> map = {});

struct BatchOptions;

// A batch run (see runBatch) on the program's main window. Returns the exit status.
int runScript(const BatchOptions& options);

// The desktop program: the main window until it is closed, working in the user's own folder
// when started from the desktop entry (see userfolder.h). Returns the exit status.
int runDesktop(QString file, std::optional<QString> map, bool inUserFolder);
