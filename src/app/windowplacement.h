#pragma once

#include <QRect>

class CMainFrame;

// Where the first window goes: the size that shows `wanted` (the whole window for the sample
// map), cut to the screen's available area less the window manager's frame, centred on it.
QRect firstWindowGeometry(QSize wanted, QRect available);

// Gives the main window the size, position and state it had when the program last ended, or
// the first window's geometry on a first start.
void placeFirstWindow(CMainFrame& frame);
// Keeps the main window's size, position and state for the next start.
void rememberWindowPlacement(const CMainFrame& frame);
