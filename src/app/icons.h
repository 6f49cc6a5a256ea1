#pragma once

#include <QIcon>

// The program's own icons, drawn in code: the main window's icon and the toolbar buttons
// (16 x 15 pixels).
QIcon appIcon();
QIcon toolbarIcon(int commandId);
