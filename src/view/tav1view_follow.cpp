#include "view/tav1view.h"

#include "config/inisettings.h"
#include "platform/pause.h"
#include "platform/runinput.h"
#include "platform/textformat.h"
#include "platform/ui.h"
#include "sim/cartcollision.h"
#include "sim/pathfollow.h"

namespace {

// The trace the cart has driven: never pure red, which would stop its own rays.
constexpr Pen kTracePen{PenStyle::Solid, 2, RGB(0, 90, 255)};

} // namespace

void CTAV1View::OnFollowPath()
{
    if (m_trajectoryType == 0 || m_trajectoryCount < 2) {
        ui().messageBox(QStringLiteral("Error"), QStringLiteral("Nebola zvolena cesta !"), Ui::Icon::Error);
        return;
    }
    FollowSettings settings;
    settings.wheelbase = m_pCart->cartLength;
    settings.minDistance = g_minDistance;
    if (const QString fault = followFault(settings); !fault.isEmpty()) {
        ui().commandFailed(QStringLiteral("Follow path"), fault);
        return;
    }
    const UserInputBlock input;
    m_runGoing = true;
    m_stopRequested = false;
    m_lastRun = RunRecord();
    m_lastRun.geometry = m_mapGeometry;
    m_fnc.SetCollisionText(QString());
    std::vector<QPoint> trace;
    FollowHooks hooks;
    hooks.sweep = [&](const CartPose& pose, int x, int y, int guideX, int guideY, std::vector<ScanHit>& hits) {
        RedrawWindow(false);
        Surface dc = GetDC();
        trace.emplace_back(guideX, guideY);
        dc.SelectPen(kTracePen);
        dc.MoveTo(trace.front().x(), trace.front().y());
        for (const QPoint& point : trace) {
            dc.LineTo(point.x(), point.y());
        }
        dc.LineTo(x, y);
        // The cart where the step began, as a run draws it: behind the rays of its new place.
        dc.SelectPen(m_blackDotPen);
        dc.SelectBrush(m_hatchBrush);
        drawCartDisc(dc, guideX, guideY);
        m_cartX = x;
        m_cartY = y;
        m_pCart->heading = pose.heading;
        return sweepFromCart(dc, &hits);
    };
    hooks.stepped = [&](const StepRecord& step, double crossTrack) {
        m_fnc.SetStatusText(QStringLiteral("Follow path: step %1, cross-track %2 px, Uhol natocenia kormidla:%3 [rad]")
                                .arg(step.step)
                                .arg(QString::fromStdString(printfReal(crossTrack, 1, std::fixed)))
                                .arg(QString::fromStdString(printfReal(step.steering, 3, std::fixed))));
        keepInSight(QPoint(m_cartX, m_cartY));
        Sleep(m_delayMs);
        keepWindowAlive();
        return !m_stopRequested && !input.escapePressed();
    };
    static const QImage noMap;
    const FleetMap map{m_hBitmap ? *m_hBitmap : noMap, nullptr, QPoint(m_bitmapX, m_bitmapY)};
    const FollowResult result = followPath(std::span(m_pTrajectory.get(), std::size_t(m_trajectoryCount)), settings,
                                           map, hooks, m_lastRun);
    m_runGoing = false;
    m_fnc.SetStatusText(followEndText(result));
    ui().beep();
}
