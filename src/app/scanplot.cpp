#include "app/scanplot.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int kMargin = 18;
constexpr QRgb kRayColour = qRgb(0, 160, 0);
constexpr QRgb kHitColour = qRgb(255, 0, 0);

} // namespace

ScanPlot::ScanPlot(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(160, 100);
}

void ScanPlot::setSweep(const SweepRecord& sweep, double metresPerPixel)
{
    m_sweep = sweep;
    m_metresPerPixel = metresPerPixel;
    update();
}

// The dock's width at first: the map keeps most of the window.
QSize ScanPlot::sizeHint() const
{
    return {240, 180};
}

void ScanPlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_sweep.swept) {
        return;
    }
    // The half-disc ahead of the cart, the heading up: as wide as the plot allows, and in the
    // middle of a plot taller than it, the cart at the centre of its straight edge.
    const double radius = std::max(1.0, std::min(width() / 2.0 - kMargin, height() - 2.0 * kMargin));
    const QPointF centre(width() / 2.0, (height() + radius) / 2.0);
    const double range = std::max(m_sweep.range, 1);
    const auto at = [&](double relative, double distance) {
        // Screen angles turn clockwise, as on the map: a ray to the right of the heading
        // points right.
        const double r = distance / range * radius;
        return centre + QPointF(r * std::sin(relative), -r * std::cos(relative));
    };
    painter.setPen(QColor(200, 200, 200));
    for (int ring = 1; ring <= 4; ++ring) {
        const double r = radius * ring / 4;
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 0, 180 * 16);
        const double distance = range * ring / 4;
        const QString label = m_metresPerPixel > 0.0
                                  ? QStringLiteral("%1 px, %2 m").arg(distance).arg(distance * m_metresPerPixel, 0, 'f', 2)
                                  : QStringLiteral("%1 px").arg(distance);
        painter.drawText(at(0.0, distance) + QPointF(3, -2), label);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    // Each ray hits once at most, and the hits come in the order the rays were cast.
    std::size_t next = 0;
    for (const double angle : sweepAngles(m_sweep.heading, m_sweep.stepDivisor)) {
        const bool hit = next < m_sweep.hits.size() && m_sweep.hits[next].angle == angle;
        const QPointF end = at(angle - m_sweep.heading, hit ? double(m_sweep.hits[next].distance) : range);
        next += hit ? 1 : 0;
        painter.setPen(QColor(kRayColour));
        painter.drawLine(centre, end);
        if (hit) {
            painter.setPen(QColor(kHitColour));
            painter.setBrush(QColor(kHitColour));
            painter.drawEllipse(end, 2.5, 2.5);
            painter.setBrush(Qt::NoBrush);
        }
    }
}
