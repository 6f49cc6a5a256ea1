#pragma once

#include <memory>
#include <optional>
#include <string>

class CMainFrame;

// Builds the main frame with its document and view. `map` is the map the window starts with
// instead of the configured one; a `file` that is an image or is named as a map description
// (.yaml, .yml) is taken as that map, any other file is opened as the data-less document. Both
// names are bytes (see platform/fileopen.h). Returns null when the program cannot start: the
// view's buffers could not be had, or the document cannot be opened (both already reported in
// a box).
std::unique_ptr<CMainFrame> createMainFrame(std::string file, std::optional<std::string> map = {});

struct BatchOptions;

// A batch run (see runBatch) on the program's main window. Returns the exit status.
int runScript(const BatchOptions& options);

// The desktop program: the main window until it is closed, working in the user's own folder
// when started from the desktop entry (see userfolder.h). Returns the exit status.
int runDesktop(std::string file, std::optional<std::string> map, bool inUserFolder);
