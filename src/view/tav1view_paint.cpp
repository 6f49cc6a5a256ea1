#include "view/tav1view.h"

#include <QTimer>

void CTAV1View::OnInitialUpdate()
{
    ensureCanvasSize(kScrollSize);
    // A new document invalidates the whole view, which brings one repaint.
    if (m_firstPaintDone) {
        QTimer::singleShot(0, this, [this] { RedrawWindow(true); });
    }
}

void CTAV1View::OnPaint()
{
    OnDraw();
}

void CTAV1View::OnDraw()
{
}

void CTAV1View::OnPomocneMenu()
{
    RedrawWindow(true);
}
