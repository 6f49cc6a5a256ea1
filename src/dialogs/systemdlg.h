#pragma once

#include <cstdint>

// "Settings system": amplitude, delay and the scanner-trace and status-text switches. One
// program-wide object, read in place by the scanner and the guidance status text.
class CSystemDlg {
public:
    static constexpr int kTemplateId = 136;

    int m_amplitude = 0;
    int m_traces = 0;
    std::int16_t m_delay = 0;
    int m_scannerTrace = 0;
    int m_writeValues = 0;
};

extern CSystemDlg g_systemDlg;
