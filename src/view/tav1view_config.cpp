#include "view/tav1view.h"

#include "config/inisettings.h"

bool CTAV1View::ReadIni()
{
    readIniFile({.curveDialogs = &m_curveDialogs,
                 .showMessageBox = &m_showMessageBox,
                 .openDialog = &m_openDialog,
                 .useDefaults = &m_useDefaults,
                 .scannerRange = &m_scannerRange,
                 .startX = &m_startEndDlg.m_startX,
                 .startY = &m_startEndDlg.m_startY,
                 .endX = &m_startEndDlg.m_endX,
                 .endY = &m_startEndDlg.m_endY,
                 .cartLength = &m_pCart->cartLength,
                 .wheelTrack = &m_pCart->wheelTrack,
                 .mapFileName = &m_mapFileName,
                 .scanStepDivisor = &m_scanStepDivisor});
    return true;
}

void CTAV1View::OnWriteIni()
{
    writeIniFile();
}
