#include "dialogs/vehicledlg.h"

#include "dialogs/dialogtemplate.h"

namespace {

// "OK" stands on the right, "Cancel" on the left; the caption bar has no close box.
const ControlTemplate kControls[] = {
    {IDOK, ControlKind::DefaultButton, "OK", 122, 74, 50, 14},
    {IDCANCEL, ControlKind::Button, "Cancel", 27, 74, 50, 14},
    {1013, ControlKind::Label, "Rozchod kolies:", 21, 17, 56, 10},
    {1014, ControlKind::Edit, "", 90, 15, 39, 12},
    {1015, ControlKind::Label, "Dlzka vozika:", 29, 36, 52, 11},
    {1016, ControlKind::Edit, "", 90, 35, 36, 13},
};

const DialogTemplate kTemplate{"Parametre vozíka", 186, 95, SystemMenu::No, kControls};

} // namespace

DialogForm CVehicleDlg::form()
{
    return {kTemplate,
            {
                bindInt(1014, "wheelTrack", m_wheelTrack, 0, 5000000),
                bindInt(1016, "cartLength", m_cartLength, 0, 5000),
            }};
}
