#include "view/tav1view.h"

#include "dialogs/startenddlg.h"
#include "dialogs/systemdlg.h"
#include "platform/filewrite.h"
#include "platform/lasterror.h"
#include "platform/pause.h"
#include "platform/runinput.h"
#include "platform/textformat.h"
#include "platform/ui.h"
#include "sim/animation.h"
#include "sim/geometry.h"
#include "sim/scanner.h"
#include "sim/scanrecord.h"
#include "sim/trajectory.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {

constexpr COLORREF kGuideDotColor = RGB(128, 128, 128);

ChordPoints chordOf(const CStartEndDlg& points)
{
    return {points.m_startX, points.m_startY, points.m_endX, points.m_endY};
}

} // namespace

template <class Generate>
void CTAV1View::generateTrajectory(int type, Generate generate)
{
    const TrajectoryResult result = [&] {
        Surface dc = GetDC();
        return generate(dc);
    }();
    m_trajectoryCount = result.count;
    m_trajectoryColor = result.color;
    m_trajectoryHighWater = std::max(m_trajectoryHighWater, result.count);
    m_trajectoryType = type;
}

void CTAV1View::OnSin2Pi()
{
    generateTrajectory(2, [this](Surface& dc) {
        return generateSin2Pi(dc, m_pTrajectory.get(), chordOf(m_startEndDlg), m_amplitude);
    });
}

void CTAV1View::OnSinPi()
{
    generateTrajectory(3, [this](Surface& dc) {
        return generateSinPi(dc, m_pTrajectory.get(), chordOf(m_startEndDlg), m_amplitude);
    });
}

void CTAV1View::OnLine()
{
    generateTrajectory(1, [this](Surface& dc) { return generateLine(dc, m_pTrajectory.get(), chordOf(m_startEndDlg)); });
}

void CTAV1View::OnGooooo()
{
    if (m_trajectoryType == 0) {
        return;
    }
    Surface dc = GetDC();
    replotTrajectory(dc, m_pTrajectory.get(), m_trajectoryCount, m_trajectoryColor);
}

void CTAV1View::OnStartCiel()
{
    CStartEndDlg dialog;
    if (m_useDefaults == 0) {
        if (dialog.DoModal() != IDOK) {
            return;
        }
        m_startEndDlg.m_startX = dialog.m_startX;
        m_startEndDlg.m_startY = dialog.m_startY;
        m_startEndDlg.m_endX = dialog.m_endX;
        m_startEndDlg.m_endY = dialog.m_endY;
    }
    // Without the dialog the marks go where the current (configured or picked) points are.
    m_cartX = m_startEndDlg.m_startX;
    m_cartY = m_startEndDlg.m_startY;
    m_targetX = m_startEndDlg.m_endX;
    m_targetY = m_startEndDlg.m_endY;
    m_markersShown = true;

    Surface dc = GetDC();
    dc.Ellipse(m_cartX, m_cartY, offsetPixel(m_cartX, 10), offsetPixel(m_cartY, 10));
    dc.TextOut(m_cartX, m_cartY, "S");
    dc.Rectangle(m_targetX, m_targetY, offsetPixel(m_targetX, 10), offsetPixel(m_targetY, 10));
    dc.TextOut(m_targetX, m_targetY, "E");
}

CTAV1View::Polar CTAV1View::GetStartEndPolar() const
{
    const CStartEndDlg& p = m_startEndDlg;
    return {static_cast<float>(GetBearing(p.m_startX, p.m_startY, p.m_endX, p.m_endY)),
            static_cast<float>(GetDistance(p.m_startX, p.m_startY, p.m_endX, p.m_endY))};
}

void CTAV1View::ShowGuidanceStatus(int guideX, int guideY, float steeringAngle)
{
    if (g_systemDlg.m_writeValues == 0) {
        return;
    }
    m_pText = QString::asprintf("Vodidlo:[%d,%d], Uhol natocenia kormidla:%5s [rad]", guideX, guideY,
                                printfReal(steeringAngle, 3, std::fixed).c_str())
                  .toStdString();
    m_fnc.SetStatusText(QString::fromUtf8(m_pText));
}

int CTAV1View::sweepFromCart(Surface& dc, std::vector<ScanHit>* hits)
{
    m_lastSweep.swept = true;
    m_lastSweep.heading = m_pCart->heading;
    m_lastSweep.range = m_scannerRange;
    m_lastSweep.stepDivisor = m_scanStepDivisor;
    m_lastSweep.hits.clear();
    const int rays = sweep(dc, m_cartX, m_cartY, m_pCart->heading, m_scannerRange, m_scanStepDivisor,
                           g_systemDlg.m_scannerTrace != 0, &m_lastSweep.hits);
    if (hits != nullptr) {
        hits->insert(hits->end(), m_lastSweep.hits.begin(), m_lastSweep.hits.end());
    }
    if (onSweep) {
        onSweep();
    }
    return rays;
}

void CTAV1View::OnScanner()
{
    Surface dc = GetDC();
    sweepFromCart(dc);
}

void CTAV1View::OnFileSave()
{
    std::string fileName = "prek.txt";
    if (m_curveDialogs != 0) {
        FileDialogRequest request;
        request.open = false;
        const std::optional<std::string> chosen = ui().fileDialog(request);
        if (!chosen) {
            return;
        }
        fileName = *chosen;
    }
    // Whole or not at all: a full disk must not cut the earlier log.
    errno = 0;
    if (!writeFileWhole(fileName, obstacleLogText())) {
        SetLastErrorFromErrno(EACCES);
        ShowCommandError(GetLastError(), "Error fopen OnFileSave");
    }
}

void CTAV1View::OnAnimuj()
{
    if (m_trajectoryType == 0) {
        ui().messageBox(QStringLiteral("Error"), QStringLiteral("Nebola zvolena cesta !"), Ui::Icon::Error);
        return;
    }
    const TrajectoryPoint* records = m_pTrajectory.get();
    // The start-end distance decides when the run ends (a loaded path's record count stands in
    // for it); nothing can move the points during a run, so the count taken now holds for every
    // step.
    const float length =
        m_trajectoryType == kLoadedPathType ? static_cast<float>(m_trajectoryCount) : GetStartEndPolar().length;
    const int steps = animationStepCount(length, m_trajectoryCount);
    const UserInputBlock input;
    beginRun();
    m_fnc.SetRunProgress(0, steps);
    bool collided = false;
    for (int step = 1; step <= steps; ++step) {
        const StepMove move = animationStepMove(records, step);
        RedrawWindow(false);
        AnimationStep(move.guideX, move.guideY, move.cartX, move.cartY);
        if (!collided && m_lastRun.steps.back().collision) {
            collided = true;
            m_fnc.SetCollisionText(QStringLiteral("Collision at step %1").arg(step));
        }
        keepInSight(QPoint(m_cartX, m_cartY));
        m_fnc.SetRunProgress(step, steps);
        Sleep(m_delayMs);
        keepWindowAlive();
        if (m_stopRequested || input.escapePressed()) {
            break;
        }
    }
    m_runGoing = false;
    m_fnc.SetRunProgress(0, 0);
    ui().beep();
}

void CTAV1View::beginRun()
{
    m_runGoing = true;
    m_stopRequested = false;
    m_lastRun = RunRecord();
    m_lastRun.geometry = m_mapGeometry;
    m_fnc.SetCollisionText(QString());
}

void CTAV1View::AnimationStep(int guideX, int guideY, int nextX, int nextY)
{
    Surface dc = GetDC();
    dc.SelectPen(m_blackDotPen);
    dc.SelectBrush(m_hatchBrush);
    drawCartDisc(dc, guideX, guideY);
    dc.SelectPen(m_greenPen);
    dc.MoveTo(guideX, guideY);
    dc.LineTo(nextX, nextY);
    m_cartX = nextX;
    m_cartY = nextY;
    m_pCart->heading = GetBearing(guideX, guideY, nextX, nextY);
    const int firstHit = int(m_lastRun.hits.size());
    // Only a run is recorded: a step alone (a benchmark's) would make the recording grow forever.
    const int rays = sweepFromCart(dc, m_runGoing ? &m_lastRun.hits : nullptr);
    if (m_runGoing) {
        // The map's own pixels, where it lies on the canvas: drawings on the canvas are no walls.
        const bool collision = m_hBitmap
            && cartHitsWall(*m_hBitmap, offsetPixel(guideX, -m_bitmapX), offsetPixel(guideY, -m_bitmapY));
        m_lastRun.steps.push_back({int(m_lastRun.steps.size()) + 1, m_cartX, m_cartY, m_pCart->heading, guideX,
                                   guideY, static_cast<float>(m_pCart->heading), rays, firstHit, collision});
    }
    ShowGuidanceStatus(guideX, guideY, static_cast<float>(m_pCart->heading));
    dc.SetPixelV(guideX, guideY, kGuideDotColor);
}

void CTAV1View::OnExportRun()
{
    FileDialogRequest request;
    request.open = false;
    request.defaultExtension = QStringLiteral("csv");
    request.initialName = QStringLiteral("*.csv");
    request.caption = QStringLiteral("Export run");
    request.filter = QStringLiteral("CSV files (*.csv)");
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = ui().fileDialog(request);
    if (!chosen) {
        return;
    }
    const QString failed = exportRun(m_lastRun, *chosen);
    if (!failed.isEmpty()) {
        ui().commandFailed(QStringLiteral("Error Export run"), failed);
    }
}
