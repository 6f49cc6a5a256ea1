#include "view/tav1view.h"

#include "platform/pixelmath.h"
#include "platform/ui.h"
#include "sim/pathfile.h"
#include "sim/trajectory.h"

#include <algorithm>
#include <variant>

namespace {

FileDialogRequest pathDialog(bool open, const QString& caption)
{
    FileDialogRequest request;
    request.open = open;
    request.defaultExtension = QStringLiteral("csv");
    request.initialName = QStringLiteral("*.csv");
    request.caption = caption;
    request.filter = QStringLiteral("CSV files (*.csv)");
    request.overwritePrompt = !open;
    return request;
}

} // namespace

void CTAV1View::OnLoadPath()
{
    const std::optional<std::string> chosen = ui().fileDialog(pathDialog(true, QStringLiteral("Load path")));
    if (!chosen) {
        return;
    }
    const auto read = readPathFile(*chosen, kTrajectoryCapacity);
    if (const QString* failure = std::get_if<QString>(&read)) {
        ui().messageBox(QStringLiteral("Error Load path"), *failure, Ui::Icon::Error);
        return;
    }
    const std::vector<PathPoint>& points = std::get<std::vector<PathPoint>>(read);
    // Records past the path keep what they held, as after a generator.
    TrajectoryPoint* records = m_pTrajectory.get();
    for (std::size_t i = 0; i < points.size(); ++i) {
        records[i].x = points[i].x;
        records[i].y = points[i].y;
    }
    m_trajectoryCount = int(points.size());
    m_trajectoryHighWater = std::max(m_trajectoryHighWater, m_trajectoryCount);
    m_trajectoryColor = kLoadedPathColor;
    m_trajectoryType = kLoadedPathType;
    m_startEndDlg.m_startX = truncToPixel(points.front().x);
    m_startEndDlg.m_startY = truncToPixel(points.front().y);
    m_startEndDlg.m_endX = truncToPixel(points.back().x);
    m_startEndDlg.m_endY = truncToPixel(points.back().y);
    Surface dc = GetDC();
    replotTrajectory(dc, records, m_trajectoryCount, m_trajectoryColor);
}

void CTAV1View::OnSavePath()
{
    if (m_trajectoryType == 0 || m_trajectoryCount <= 0) {
        ui().commandFailed(QStringLiteral("Error Save path"),
                           QStringLiteral("No path to save: make one in the Trajectory menu or load one first."));
        return;
    }
    const std::optional<std::string> chosen = ui().fileDialog(pathDialog(false, QStringLiteral("Save path")));
    if (!chosen) {
        return;
    }
    const int count = std::clamp(m_trajectoryCount, 0, kTrajectoryCapacity);
    std::vector<PathPoint> points(std::size_t(count), PathPoint{});
    std::transform(m_pTrajectory.get(), m_pTrajectory.get() + count, points.begin(),
                   [](const TrajectoryPoint& record) { return PathPoint{record.x, record.y}; });
    const QString failed = writePathFile(*chosen, points);
    if (!failed.isEmpty()) {
        ui().commandFailed(QStringLiteral("Error Save path"), failed);
    }
}
