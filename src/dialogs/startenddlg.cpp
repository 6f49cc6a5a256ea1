#include "dialogs/startenddlg.h"

#include "dialogs/dialogtemplate.h"

namespace {

// The row "Start:" holds X (1000) and Y (1001), the row "End:" X (1002) and Y (1003).
const ControlTemplate kControls[] = {
    {IDOK, ControlKind::DefaultButton, "OK", 16, 57, 50, 14},
    {IDCANCEL, ControlKind::Button, "Cancel", 73, 57, 30, 14},
    {kNoControlId, ControlKind::Label, "Start:", 7, 22, 19, 8},
    {kNoControlId, ControlKind::Label, "End:", 7, 39, 19, 8},
    {kNoControlId, ControlKind::Label, "X", 37, 12, 8, 8},
    {kNoControlId, ControlKind::Label, "Y", 83, 12, 8, 8},
    {1000, ControlKind::Edit, "", 26, 20, 33, 13},
    {1001, ControlKind::Edit, "", 72, 20, 33, 13},
    {1002, ControlKind::Edit, "", 26, 35, 33, 13},
    {1003, ControlKind::Edit, "", 72, 36, 33, 13},
};

const DialogTemplate kTemplate{"StartEnd", 120, 78, SystemMenu::Yes, kControls};

} // namespace

DialogForm CStartEndDlg::form()
{
    return {kTemplate,
            {
                bindInt(1002, "endX", m_endX, 0, 20000),
                bindInt(1003, "endY", m_endY, 0, 20000),
                bindInt(1000, "startX", m_startX, 0, 20000),
                bindInt(1001, "startY", m_startY, 0, 20000),
            }};
}
