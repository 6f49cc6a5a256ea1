#include "view/tav1view.h"

#include "platform/textformat.h"

void CTAV1View::OnMouseMove(QPoint point)
{
    m_pText = formatText("Mouse:[%d %d]\tPerioda vzorkovania:%.2f  Hodnot:%.2d StartX:%d StartY:%d \t File:%s",
                         point.x(), point.y(), static_cast<double>(m_curveDlg.m_samplingPeriod),
                         m_curveDlg.m_valueCount, m_curveDlg.m_curveStartX, m_curveDlg.m_curveStartY,
                         m_dataFileName.c_str());
    m_fnc.SetStatusText(QString::fromUtf8(m_pText));
}

void CTAV1View::OnLButtonDblClk(QPoint point)
{
    // Only whether a start is set decides: the first double-click picks the start, the second
    // the end, later ones are ignored until the points are cleared.
    if (!m_startSet) {
        m_startEndDlg.m_startX = point.x();
        m_startEndDlg.m_startY = point.y();
        m_startSet = true;
        m_pText = formatText("Start:[%d %d]", point.x(), point.y());
    } else if (!m_endSet) {
        m_startEndDlg.m_endX = point.x();
        m_startEndDlg.m_endY = point.y();
        m_endSet = true;
        m_pText = formatText("End:[%d %d]", point.x(), point.y());
    } else {
        return;
    }
    m_fnc.SetStatusText(QString::fromUtf8(m_pText));
}

void CTAV1View::OnClearStartEnd()
{
    m_endSet = false;
    m_startSet = false;
}
