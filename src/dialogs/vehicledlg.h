#pragma once

#include "dialogs/dialogform.h"

// "Parametre vozíka" (template 133): the cart's wheel track and length, kept between openings.
class CVehicleDlg {
public:
    int DoModal() { return runDialog(form()); }
    DialogForm form();

    int m_wheelTrack = 0;
    int m_cartLength = 0;
};
