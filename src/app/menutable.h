#pragma once

#include <span>

// One row of the menu: an item of a submenu, a separator (id 0, no label), or a command that
// stands on the menu bar itself (no submenu).
struct MenuRow {
    const char* submenu; // "&File", …; nullptr for a command on the menu bar
    const char* label;   // nullptr for a separator
    int id;
};

// The menu in order, as the menu bar shows it.
std::span<const MenuRow> menuTable();

// The status-bar prompt of a framework command ("" for the program's own commands).
const char* commandPrompt(int id);
