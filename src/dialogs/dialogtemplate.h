#pragma once

#include "platform/ui.h" // IDOK and IDCANCEL, the ids of the OK and Cancel buttons

#include <span>

// A dialog template as the program's dialogs are described: the frame and the controls in
// template order, which is also their tab order. Positions and sizes are in dialog units.

// The id of a label that has none of its own.
constexpr int kNoControlId = -1;

enum class ControlKind {
    DefaultButton,
    Button,
    Label,
    CentredLabel,
    Heading, // a centred label with a sunken edge
    Edit,
    CheckBox,     // does not toggle by itself; only the program sets it
    AutoCheckBox, // toggles when clicked
};

// Which side of a check box its text stands on.
enum class TextSide { Right, Left };

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text; // UTF-8; "&" marks the mnemonic
    int x;
    int y;
    int width;
    int height;
    TextSide textSide = TextSide::Right;
};

// Whether the caption bar has a system menu, and so a close box.
enum class SystemMenu { Yes, No };

struct DialogTemplate {
    const char* caption; // UTF-8
    int width;           // of the client area
    int height;
    SystemMenu systemMenu;
    std::span<const ControlTemplate> controls;
};
