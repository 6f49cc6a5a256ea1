#pragma once

#include <memory>

class QWidget;
class TemplateDialog;

// "Velmora Settings": the curve-tool settings, read in place by the curve tools, the status
// line and the repaint.
class CCurveDlg {
public:
    static constexpr int kTemplateId = 138;

    // Shows the dialog loaded from the members. IDOK when OK passed every check (the members
    // then hold what was entered), IDCANCEL otherwise.
    int DoModal();
    // The dialog DoModal shows, loaded from the members and not yet shown. The centre fields
    // 1007 and 1008 belong to no member: they open empty and what is typed there is dropped.
    std::unique_ptr<TemplateDialog> createDialog(QWidget* parent = nullptr);

    float m_samplingPeriod = 0.0f;
    int m_incrementalEllipse = 0;
    int m_valueCount = 0;
    int m_curveStartX = 0;
    int m_curveStartY = 0;
    int m_radius10 = 0;
    int m_numbers = 0;
    int m_squaresEllipses = 0;
    int m_preciseIntegration = 0;
};
