#include "view/tav1view.h"

#include "config/inisettings.h"
#include "dialogs/systemdlg.h"
#include "platform/pause.h"
#include "platform/pixelmath.h"
#include "platform/runinput.h"
#include "platform/textformat.h"
#include "platform/ui.h"
#include "sim/cartcollision.h"
#include "sim/pathfollow.h"
#include "sim/scanner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The trace the cart has driven: never pure red, which would stop its own rays.
constexpr COLORREF kTraceColor = RGB(255, 140, 0);

// The pixels of a line two pixels wide from `from` to `to`, `to` left out, appended to `pixels`:
// set again after every repaint, where drawing every segment again would cost the step more
// than the rest of it.
void appendSegment(std::vector<QPoint>& pixels, QPoint from, QPoint to)
{
    const QPoint delta = to - from;
    const int steps = std::max(std::abs(delta.x()), std::abs(delta.y()));
    const QPoint across = std::abs(delta.x()) >= std::abs(delta.y()) ? QPoint(0, 1) : QPoint(1, 0);
    for (int i = 0; i < steps; ++i) {
        const QPoint at(from.x() + int(std::lround(double(delta.x()) * i / steps)),
            from.y() + int(std::lround(double(delta.y()) * i / steps)));
        pixels.push_back(at);
        pixels.push_back(at + across);
    }
}

} // namespace

int CTAV1View::sweepMapFromCart(Surface& dc, const QImage& map, std::vector<ScanHit>& hits)
{
    const std::vector<SweepRay> rays = sweepPixels(scanPixels(map), offsetPixel(m_cartX, -m_bitmapX),
        offsetPixel(m_cartY, -m_bitmapY), m_pCart->heading, m_scannerRange, m_scanStepDivisor);
    m_lastSweep = { true, m_pCart->heading, m_scannerRange, m_scanStepDivisor, {} };
    dc.SelectPen(Pen { PenStyle::Solid, 1, kScanTraceColor });
    for (const SweepRay& ray : rays) {
        if (ray.hit) {
            ScanHit hit = *ray.hit;
            hit.x = offsetPixel(hit.x, m_bitmapX);
            hit.y = offsetPixel(hit.y, m_bitmapY);
            m_lastSweep.hits.push_back(hit);
        }
        if (g_systemDlg.m_scannerTrace != 0) {
            const QPoint end = ray.hit ? QPoint(m_lastSweep.hits.back().x, m_lastSweep.hits.back().y)
                                       : QPoint(m_cartX + int(m_scannerRange * std::cos(ray.angle)),
                                           m_cartY + int(m_scannerRange * std::sin(ray.angle)));
            dc.MoveTo(m_cartX, m_cartY);
            dc.LineTo(end.x(), end.y());
        }
    }
    hits.insert(hits.end(), m_lastSweep.hits.begin(), m_lastSweep.hits.end());
    if (onSweep) {
        onSweep();
    }
    return int(rays.size());
}

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
    beginRun();
    std::vector<QPoint> trace;
    // The scanner reads 32-bit pixels; the view may keep a map of few colours as colour indices.
    const QImage pixels = m_hBitmap ? m_hBitmap->convertToFormat(QImage::Format_RGB32) : QImage();
    FollowHooks hooks;
    hooks.sweep = [&](const CartPose& pose, int x, int y, int guideX, int guideY, std::vector<ScanHit>& hits) {
        RedrawWindow(false);
        Surface dc = GetDC();
        appendSegment(trace, QPoint(guideX, guideY), QPoint(x, y));
        for (const QPoint& pixel : trace) {
            dc.SetPixelV(pixel.x(), pixel.y(), kTraceColor);
        }
        // The cart where the step began, as a run draws it: behind the rays of its new place.
        dc.SelectPen(m_blackDotPen);
        dc.SelectBrush(m_hatchBrush);
        drawCartDisc(dc, guideX, guideY);
        m_cartX = x;
        m_cartY = y;
        m_pCart->heading = pose.heading;
        return sweepMapFromCart(dc, pixels, hits);
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
    const FleetMap map { pixels, nullptr, QPoint(m_bitmapX, m_bitmapY) };
    const FollowResult result
        = followPath(std::span(m_pTrajectory.get(), std::size_t(m_trajectoryCount)), settings, map, hooks, m_lastRun);
    m_runGoing = false;
    m_fnc.SetStatusText(followEndText(result));
    ui().beep();
}
