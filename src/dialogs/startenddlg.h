#pragma once

// "StartEnd": the start and end points. The view's own object is never shown; its members are
// the current points.
class CStartEndDlg {
public:
    static constexpr int kTemplateId = 131;

    int m_endX = 0;
    int m_endY = 0;
    int m_startX = 0;
    int m_startY = 0;
};
