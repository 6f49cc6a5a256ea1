#pragma once

class CTAV1View;

// A command the script and the menu know by name: the name of its handler without "On".
struct NamedCommand {
    const char* name;
    int id;
};

// Every command a batch script may name, in menu order.
const NamedCommand* findNamedCommand(const char* name);

// The view's handler of a command, or nullptr when the view does not handle it (then the
// frame or the application does, or nothing does and the item is shown disabled).
using ViewHandler = void (*)(CTAV1View& view);
ViewHandler viewHandler(int id);
