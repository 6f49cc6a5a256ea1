#pragma once

#include <QFont>
#include <QRect>

// The font the program's dialogs are laid out with (8-point sans serif).
QFont dialogFont();

// Converts a rectangle in dialog units to pixels for `font`: a horizontal unit is a quarter of
// the font's average character width, a vertical unit an eighth of its height.
QRect fromDialogUnits(const QFont& font, int x, int y, int width, int height);
