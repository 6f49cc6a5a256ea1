#include "dialogs/systemdlg.h"

#include "dialogs/dialogtemplate.h"

CSystemDlg g_systemDlg;

namespace {

// "Stopy ?" is a plain check box: no handler toggles it, so a click leaves it as it is.
const ControlTemplate kControls[] = {
    {IDOK, ControlKind::DefaultButton, "OK", 20, 99, 50, 14},
    {IDCANCEL, ControlKind::Button, "Cancel", 110, 98, 50, 14},
    {kNoControlId, ControlKind::Label, "&Amplituda:", 20, 22, 38, 8},
    {1018, ControlKind::Edit, "", 71, 21, 50, 12},
    {1020, ControlKind::CheckBox, "Stopy ?", 47, 38, 39, 10, TextSide::Left},
    {1021, ControlKind::Label, "Oneskorenie:", 19, 53, 44, 9},
    {1022, ControlKind::Edit, "", 67, 52, 21, 12},
    {kNoControlId, ControlKind::Label, "ms", 93, 53, 11, 8},
    {1023, ControlKind::AutoCheckBox, "&Stopa Scenerra:", 23, 72, 62, 10, TextSide::Left},
    {1024, ControlKind::AutoCheckBox, "Pis Hodnoty", 29, 84, 52, 12, TextSide::Left},
};

const DialogTemplate kTemplate{"Settings system", 191, 126, SystemMenu::Yes, kControls};

} // namespace

DialogForm CSystemDlg::form()
{
    return {kTemplate,
            {
                bindInt(1018, "amplitude", m_amplitude, 0, 10000),
                bindCheck(1020, "traces", m_traces),
                bindInt16(1022, "delay", m_delay, 0, 200),
                bindCheck(1023, "scannerTrace", m_scannerTrace),
                bindCheck(1024, "writeValues", m_writeValues),
            }};
}
