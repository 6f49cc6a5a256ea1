#include "sim/runrecord.h"

#include "platform/filewrite.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cerrno>

namespace {

// Reals with every digit needed to read the same value back.
QByteArray real(double value)
{
    return QByteArray::number(value, 'g', 17);
}

QByteArray real(float value)
{
    return QByteArray::number(double(value), 'g', 9);
}

QByteArray runCsv(const RunRecord& run, const std::optional<MapGeometry>& geometry)
{
    QByteArray csv = "step,cart_x,cart_y,heading_rad,guide_x,guide_y,steering_rad,rays,hits,nearest_hit_px,"
                     "farthest_hit_px";
    csv += geometry ? ",cart_x_m,cart_y_m,collision\r\n" : ",collision\r\n";
    const auto closer = [](const ScanHit& a, const ScanHit& b) { return a.distance < b.distance; };
    for (std::size_t i = 0; i < run.steps.size(); ++i) {
        const StepRecord& step = run.steps[i];
        const std::span<const ScanHit> hits = stepHits(run, i);
        csv += QByteArray::number(step.step) + ',' + QByteArray::number(step.cartX) + ','
            + QByteArray::number(step.cartY) + ',' + real(step.heading) + ',' + QByteArray::number(step.guideX)
            + ',' + QByteArray::number(step.guideY) + ',' + real(step.steering) + ',' + QByteArray::number(step.rays)
            + ',' + QByteArray::number(qsizetype(hits.size())) + ',';
        if (!hits.empty()) {
            csv += real(std::min_element(hits.begin(), hits.end(), closer)->distance) + ','
                + real(std::max_element(hits.begin(), hits.end(), closer)->distance);
        } else {
            csv += ',';
        }
        if (geometry) {
            const QPointF metres = toMetres(*geometry, QPointF(step.cartX, step.cartY));
            csv += ',' + real(metres.x()) + ',' + real(metres.y());
        }
        csv += step.collision ? ",1\r\n" : ",0\r\n";
    }
    return csv;
}

QByteArray hitsCsv(const RunRecord& run)
{
    QByteArray csv = "step,ray_angle_rad,hit_x,hit_y,distance_px\r\n";
    for (std::size_t i = 0; i < run.steps.size(); ++i) {
        for (const ScanHit& hit : stepHits(run, i)) {
            csv += QByteArray::number(run.steps[i].step) + ',' + real(hit.angle) + ',' + QByteArray::number(hit.x)
                + ',' + QByteArray::number(hit.y) + ',' + real(hit.distance) + "\r\n";
        }
    }
    return csv;
}

} // namespace

std::span<const ScanHit> stepHits(const RunRecord& run, std::size_t i)
{
    const int last = i + 1 < run.steps.size() ? run.steps[i + 1].firstHit : int(run.hits.size());
    return std::span(run.hits).subspan(std::size_t(run.steps[i].firstHit), std::size_t(last - run.steps[i].firstHit));
}

std::string hitsFileName(const std::string& runFile)
{
    std::string base = runFile;
    if (base.size() >= 4 && QByteArray::fromStdString(base.substr(base.size() - 4)).toLower() == ".csv") {
        base.resize(base.size() - 4);
    }
    return base + "-hits.csv";
}

QString exportRun(const RunRecord& run, const std::string& runFile)
{
    const QByteArray runBytes = runCsv(run, run.geometry);
    const QByteArray hitsBytes = hitsCsv(run);
    // The run file first: a folder or a pipe in its place is refused before its hits are touched.
    const FileContent files[] = {{runFile, std::string_view(runBytes.constData(), runBytes.size())},
                                 {hitsFileName(runFile), std::string_view(hitsBytes.constData(), hitsBytes.size())}};
    const std::size_t failed = writeFilesWhole(files);
    if (failed == std::size(files)) {
        return {};
    }
    return QFile::decodeName(writeFailureText(files[failed].name, errno).c_str());
}
