#pragma once

#include <memory>

class QWidget;
class TemplateDialog;

// "StartEnd": the start and end points. The view's own object is never shown; its members are
// the current points.
class CStartEndDlg {
public:
    static constexpr int kTemplateId = 131;

    // Shows the dialog loaded from the members. IDOK when OK passed every check (the members
    // then hold what was entered), IDCANCEL otherwise.
    int DoModal();
    // The dialog DoModal shows, loaded from the members and not yet shown.
    std::unique_ptr<TemplateDialog> createDialog(QWidget* parent = nullptr);

    int m_endX = 0;
    int m_endY = 0;
    int m_startX = 0;
    int m_startY = 0;
};
