#pragma once

#include "dialogs/memberbinding.h"

#include <vector>

struct DialogTemplate;

// One of the program's parameter dialogs as data: the template it is shown on and the member
// table that binds the data members of its class to the controls.
struct DialogForm {
    const DialogTemplate& layout;
    std::vector<MemberBinding> members;
};

// The DoModal of every parameter dialog class: shows the form's dialog loaded from the members.
// IDOK when OK passed every check (the members then hold what was entered), IDCANCEL otherwise.
int runDialog(DialogForm form);
