#pragma once

#include "view/commandids.h"

#include <QKeyCombination>

#include <span>

class CTAV1View;

// The program's commands, one row per menu entry in the menu's order. The menus, their
// accelerators, the toolbar, the status-bar prompts, the batch runner's command names and the
// command list of --help are all built from this one table.
struct Command {
    const char* menu;              // "&File", …; nullptr for a command on the menu bar itself
    const char* label;             // nullptr for a separator
    int id;
    QKeyCombination keys[2];       // accelerators
    int toolbarSlot;               // place on the toolbar, 0 for none; a skipped place is a separator
    const char* prompt;            // status-bar prompt on hover ("" for the program's own commands)
    const char* batchName;         // its name in batch scripts; nullptr when a script cannot run it
    void (*handler)(CTAV1View&);   // the view's handler; nullptr when the frame handles it or nothing does
};

std::span<const Command> commandTable();
// The row of a command id, or nullptr.
const Command* findCommand(int id);
// The row a batch script names (letter case ignored), or nullptr.
const Command* findBatchCommand(const char* name);
// The prompt of an entry of the recent-file list.
constexpr const char* kRecentFilePrompt = "Open this document";
