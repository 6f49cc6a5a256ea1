#pragma once

#include <QString>

#include <memory>

class CMainFrame;

// Builds the main frame with its document and view and, when `file` is given, opens it as the
// data-less document. Returns null when the program cannot start: the view's buffers could not
// be had, or the file cannot be opened (both already reported in a box).
std::unique_ptr<CMainFrame> createMainFrame(const QString& file);

// The desktop program: the main window until it is closed. Returns the exit status.
int runDesktop(const QString& file);
