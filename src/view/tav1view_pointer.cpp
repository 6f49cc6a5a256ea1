#include "view/tav1view.h"

#include "platform/textformat.h"

void CTAV1View::OnMouseMove(QPoint point)
{
    m_pText = QString::asprintf("Mouse:[%d %d]\tPerioda vzorkovania:%s  Hodnot:%.2d StartX:%d StartY:%d \t File:%s",
                                point.x(), point.y(), printfReal(m_curveDlg.m_samplingPeriod, 2, std::fixed).c_str(),
                                m_curveDlg.m_valueCount, m_curveDlg.m_curveStartX, m_curveDlg.m_curveStartY,
                                m_dataFileName.c_str())
                  .toStdString();
    m_fnc.SetStatusText(QString::fromUtf8(m_pText));
    if (m_mapGeometry) {
        const QPointF metres = toMetres(*m_mapGeometry, QPointF(point));
        m_fnc.SetMapPositionText(QString::asprintf("(%.3f, %.3f) m", metres.x(), metres.y()));
    }
}

void CTAV1View::OnLButtonDblClk(QPoint point)
{
    // Only whether a start is set decides: the first double-click picks the start, the second
    // the end, later ones are ignored until the points are cleared.
    if (!m_startSet) {
        m_startEndDlg.m_startX = point.x();
        m_startEndDlg.m_startY = point.y();
        m_startSet = true;
        m_pText = QString::asprintf("Start:[%d %d]", point.x(), point.y()).toStdString();
    } else if (!m_endSet) {
        m_startEndDlg.m_endX = point.x();
        m_startEndDlg.m_endY = point.y();
        m_endSet = true;
        m_pText = QString::asprintf("End:[%d %d]", point.x(), point.y()).toStdString();
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
