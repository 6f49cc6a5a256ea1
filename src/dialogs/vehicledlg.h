#pragma once

#include <memory>

class QWidget;
class TemplateDialog;

// "Parametre vozíka": the cart's wheel track and length, kept between openings.
class CVehicleDlg {
public:
    static constexpr int kTemplateId = 133;

    // Shows the dialog loaded from the members. IDOK when OK passed every check (the members
    // then hold what was entered), IDCANCEL otherwise.
    int DoModal();
    // The dialog DoModal shows, loaded from the members and not yet shown.
    std::unique_ptr<TemplateDialog> createDialog(QWidget* parent = nullptr);

    int m_wheelTrack = 0;
    int m_cartLength = 0;
};
