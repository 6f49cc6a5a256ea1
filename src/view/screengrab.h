#pragma once

#include <QImage>

class CTAV1View;

// The view's visible area as the screen shows it now: read back from what the program last
// gave the window system (on the offscreen platform, its capture of the window), never a fresh
// rendering of the widget. A null image when the window has shown nothing yet.
QImage grabShownView(const CTAV1View& view);
