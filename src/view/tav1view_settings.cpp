#include "view/tav1view.h"

#include "dialogs/systemdlg.h"
#include "platform/ui.h"

void CTAV1View::OnSettings()
{
    OnAmplituda();
}

void CTAV1View::OnAmplituda()
{
    if (g_systemDlg.DoModal() == IDOK) {
        m_delayMs = g_systemDlg.m_delay;
        m_amplitude = g_systemDlg.m_amplitude;
    } else {
        // Anything but OK falls back to these fixed values, not to the previous ones.
        m_amplitude = 40;
        m_delayMs = 60;
    }
}

void CTAV1View::OnSettingsVehicle()
{
    if (m_vehicleDlg.DoModal() == IDOK) {
        m_pCart->cartLength = m_vehicleDlg.m_cartLength;
        m_pCart->wheelTrack = m_vehicleDlg.m_wheelTrack;
    }
}

void CTAV1View::OnCurveSettings()
{
    if (m_curveDlg.DoModal() == IDOK) {
        RedrawWindow(false);
    }
}
