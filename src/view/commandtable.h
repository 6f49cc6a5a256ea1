#pragma once

#include "view/commandids.h"

#include <QKeyCombination>
#include <QString>
#include <QStringList>

#include <span>

class CTAV1View;

// A parameter dialog as a batch script fills it in: its caption and the names of its fields.
struct DialogFields {
    QString caption;
    QStringList fields;
};

// The dialog a command may open, which the words after the command answer in a batch script
// (field=value for a parameter dialog, a path or "cancel" for a file dialog). Empty for a
// command that opens none.
struct CommandDialog {
    DialogFields (*parameters)() = nullptr; // read from the dialog's own member table
    const char* file = nullptr;             // a file dialog: the file it asks for
    const char* when = nullptr;             // when the command opens it; nullptr for every time
};

// The program's commands, one row per menu entry in the menu's order. The menus, their
// accelerators, the toolbar, the status-bar prompts, the batch runner's command names, the
// command list of --help and the README's reference of batch commands (tools/batchcommands.cpp)
// are all built from this one table.
struct Command {
    const char* menu;              // "&File", …; nullptr for a command on the menu bar itself
    const char* label;             // nullptr for a separator
    int id;
    QKeyCombination keys[2];       // accelerators
    int toolbarSlot;               // place on the toolbar, 0 for none; a skipped place is a separator
    const char* prompt;            // status-bar prompt on hover ("" for the program's own commands)
    const char* batchName;         // its name in batch scripts; nullptr when a script cannot run it
    void (*handler)(CTAV1View&);   // the view's handler; nullptr when the frame handles it or nothing does
    CommandDialog dialog{};
};

std::span<const Command> commandTable();
// The row of a command id, or nullptr.
const Command* findCommand(int id);
// The row a batch script names (letter case ignored), or nullptr.
const Command* findBatchCommand(const char* name);
// The prompt of an entry of the recent-file list.
constexpr const char* kRecentFilePrompt = "Open this document";
