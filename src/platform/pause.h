#pragma once

// Pauses the program for `ms` milliseconds while the window keeps answering the window system
// (repaints, moves), but takes no user input meanwhile. Does nothing when pauses are skipped.
void Sleep(int ms);

// The batch runner's --fast: every pause returns at once.
void setPausesSkipped(bool skipped);

// Lets the window system's events through (not user input, unless a UserInputBlock takes it),
// so a long command never makes the desktop mark the window as not responding.
void keepWindowAlive();
