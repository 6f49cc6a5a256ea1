#pragma once

#include "dialogs/dialogform.h"

// "StartEnd" (template 131): the start and end points. The view's own object is never shown;
// its members are the current points.
class CStartEndDlg {
public:
    int DoModal() { return runDialog(form()); }
    DialogForm form();

    int m_endX = 0;
    int m_endY = 0;
    int m_startX = 0;
    int m_startY = 0;
};
