#include "dialogs/curvedlg.h"

#include "dialogs/dialogtemplate.h"

namespace {

// Check box 1003 is only as wide as its box; label 1004 names it. The centre fields under
// "Stred [x,y]:" (1007, 1008) belong to no member.
const ControlTemplate kControls[] = {
    {IDOK, ControlKind::DefaultButton, "OK", 41, 146, 50, 14},
    {IDCANCEL, ControlKind::Button, "Cancel", 107, 146, 50, 14},
    {1001, ControlKind::Label, "Perióda v&zorkovania:", 23, 7, 69, 8},
    {1029, ControlKind::Edit, "", 99, 7, 35, 12},
    {1004, ControlKind::Label, "Stvorce/&Elipsy ?:", 37, 20, 56, 10},
    {1003, ControlKind::AutoCheckBox, "Stvorce/Elipsy", 99, 19, 9, 9},
    {1025, ControlKind::AutoCheckBox, "Prirastkovy algoritmus - ellipse ?:", 7, 29, 117, 11,
     TextSide::Left},
    {1026, ControlKind::Edit, "", 99, 40, 32, 10},
    {kNoControlId, ControlKind::Label, "Kolko Hodnot.", 50, 40, 46, 8},
    {1013, ControlKind::Label, "Start [x,y]:", 41, 51, 32, 10},
    {1028, ControlKind::Edit, "", 83, 50, 17, 12},
    {1015, ControlKind::Edit, "", 108, 50, 17, 12},
    {1016, ControlKind::CentredLabel, "[", 75, 50, 8, 10},
    {1017, ControlKind::Label, "]", 128, 51, 8, 8},
    {1005, ControlKind::Label, "&Polomer x *10:", 30, 104, 48, 9},
    {1012, ControlKind::Edit, "", 97, 102, 19, 12},
    {kNoControlId, ControlKind::Heading, "Analyticke vyjedrenie", 58, 88, 74, 10},
    {1006, ControlKind::Label, "Stred [x,y]:", 41, 120, 35, 10},
    {1031, ControlKind::CentredLabel, "[", 78, 120, 8, 10},
    {1007, ControlKind::Edit, "", 86, 119, 17, 12},
    {1032, ControlKind::CentredLabel, ",", 103, 121, 8, 8},
    {1008, ControlKind::Edit, "", 112, 118, 17, 12},
    {1030, ControlKind::Label, "]", 132, 121, 8, 8},
    {1027, ControlKind::AutoCheckBox, "Cisla ?", 71, 132, 37, 8, TextSide::Left},
    {1033, ControlKind::AutoCheckBox, "Presnejsia integrácia ?", 38, 63, 87, 12, TextSide::Left},
};

const DialogTemplate kTemplate{"Velmora Settings", 187, 167, SystemMenu::Yes, kControls};

} // namespace

DialogForm CCurveDlg::form()
{
    return {kTemplate,
            {
                bindFloat(1029, "samplingPeriod", m_samplingPeriod, 1e-8f, 10.0f),
                bindCheck(1025, "incrementalEllipse", m_incrementalEllipse),
                bindInt(1026, "valueCount", m_valueCount, 2, 5000),
                bindInt(1028, "curveStartX", m_curveStartX, 0, 800),
                bindInt(1015, "curveStartY", m_curveStartY, 0, 800),
                bindInt(1012, "radius10", m_radius10, 0, 1000),
                bindCheck(1027, "numbers", m_numbers),
                bindCheck(1003, "squaresEllipses", m_squaresEllipses),
                bindCheck(1033, "preciseIntegration", m_preciseIntegration),
            }};
}
