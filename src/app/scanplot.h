#pragma once

#include "sim/scanner.h"

#include <QWidget>

// The last sweep as seen from the cart: the heading straight up, each ray from the centre to
// its hit (marked) or to the range, and rings of distance in pixels.
class ScanPlot : public QWidget {
public:
    explicit ScanPlot(QWidget* parent = nullptr);
    void setSweep(const SweepRecord& sweep);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SweepRecord m_sweep;
};
