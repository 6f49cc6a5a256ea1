#pragma once

#include <cstdint>
#include <memory>

class QWidget;
class TemplateDialog;

// "Settings system": amplitude, delay and the scanner-trace and status-text switches. One
// program-wide object, read in place by the scanner and the guidance status text.
class CSystemDlg {
public:
    static constexpr int kTemplateId = 136;

    // Shows the dialog loaded from the members. IDOK when OK passed every check (the members
    // then hold what was entered), IDCANCEL otherwise.
    int DoModal();
    // The dialog DoModal shows, loaded from the members and not yet shown.
    std::unique_ptr<TemplateDialog> createDialog(QWidget* parent = nullptr);

    int m_amplitude = 0;
    int m_traces = 0;
    std::int16_t m_delay = 0;
    int m_scannerTrace = 0;
    int m_writeValues = 0;
};

extern CSystemDlg g_systemDlg;
