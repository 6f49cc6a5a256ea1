#pragma once

#include "dialogs/dialogform.h"

#include <cstdint>

// "Settings system" (template 136): amplitude, delay and the scanner-trace and status-text
// switches. One program-wide object, read in place by the scanner and the guidance status text.
class CSystemDlg {
public:
    int DoModal() { return runDialog(form()); }
    DialogForm form();

    int m_amplitude = 0;
    int m_traces = 0;
    std::int16_t m_delay = 0;
    int m_scannerTrace = 0;
    int m_writeValues = 0;
};

extern CSystemDlg g_systemDlg;
