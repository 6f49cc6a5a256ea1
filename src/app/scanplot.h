#pragma once

#include "sim/scanner.h"

#include <QWidget>

// The last sweep as seen from the cart: a half-disc filling the plot's width, in its middle, the
// heading straight up, each ray from the centre to
// its hit (marked) or to the range, and rings of distance in pixels (and in metres on a map
// with a known resolution).
class ScanPlot : public QWidget {
public:
    explicit ScanPlot(QWidget* parent = nullptr);
    // `metresPerPixel` 0: the map has no known resolution.
    void setSweep(const SweepRecord& sweep, double metresPerPixel = 0.0);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SweepRecord m_sweep;
    double m_metresPerPixel = 0.0;
};
