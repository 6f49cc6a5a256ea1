#include "view/tav1view.h"

#include "dialogs/systemdlg.h"
#include "platform/fileopen.h"
#include "platform/lasterror.h"
#include "platform/ui.h"
#include "sim/scanrecord.h"
#include "view/canvaswidget.h"

#include <QPrinter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTimer>

#include <cerrno>

namespace {
constexpr int kOutOfMemory = ENOMEM;
}

CTAV1View::CTAV1View(QWidget* parent)
    : QScrollArea(parent), m_canvas(kScrollSize.expandedTo(kFirstViewSize), QImage::Format_RGB32)
{
    // As large as the first window shows it, so that the first show does not make it again:
    // the first writes to a new image's memory are what an image costs.
    m_canvas.fill(Qt::white);
    m_canvasWidget = new CanvasWidget(m_canvas);
    m_canvasWidget->fitToCanvas();
    m_canvasWidget->onMouseMove = [this](QPoint point) { OnMouseMove(point); };
    m_canvasWidget->onDoubleClick = [this](QPoint point) { OnLButtonDblClk(point); };
    setWidget(m_canvasWidget);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setBackgroundRole(QPalette::Base);

    if (!allocateBuffers()) {
        ShowError(GetLastError(), "Error Alloacte memory !");
        return;
    }
    m_constructed = true;
    setDefaults();

    m_traceFile = openForWriting("temp.txt");
    if (m_traceFile == nullptr) {
        // Without a trace file the program still works; only the integration trace is lost.
        SetLastErrorFromErrno(EIO);
        ShowError(GetLastError(), "Error open temp file !");
    }
    g_scanFarthestDistance = 0.0f;
    m_startSet = false;
    m_endSet = false;
    ReadIni();
}

CTAV1View::~CTAV1View()
{
    if (m_traceFile != nullptr) {
        std::fclose(m_traceFile);
    }
}

bool CTAV1View::allocateBuffers()
{
    errno = 0;
    m_pCart = allocateBlock<CartRecord>(1);
    m_pTrajectory = allocateBlock<TrajectoryPoint>(kTrajectoryCapacity);
    m_pointsX = allocateBlock<float>(kPointSlots);
    m_pointsY = allocateBlock<float>(kPointSlots);
    m_pAlgoBuffer = allocateBlock<IntegrationRecord>(kIntegrationCapacity);
    const bool all = m_pCart && m_pTrajectory && m_pointsX && m_pointsY && m_pAlgoBuffer;
    if (!all) {
        SetLastErrorFromErrno(kOutOfMemory);
    }
    return all;
}

void CTAV1View::setDefaults()
{
    m_markersShown = false;
    m_curveDlg.m_curveStartX = 200;
    m_curveDlg.m_curveStartY = 200;
    m_amplitude = 40;
    m_plotOnDraw = false;
    m_pointCount = 24;
    m_trajectoryType = 0;
    m_bitmapLoaded = false;
    m_curveDlg.m_incrementalEllipse = 1;
    m_curveDlg.m_valueCount = 101;
    m_curveDlg.m_samplingPeriod = 0.02f;
    m_curveDlg.m_radius10 = 20;
    m_dataFileName.clear();
    m_delayMs = 10;
    g_systemDlg.m_traces = 0;
    g_systemDlg.m_writeValues = 1;
    m_pCart->heading = 0.0;
    g_obstacleCount = 0;
}

Surface CTAV1View::GetDC()
{
    // Drawing on a window is seen at once: what a context drew is on the screen when it is
    // released. Inside a repaint, what the repaint changed is shown when it ends.
    return Surface(
        m_canvas,
        [this](const QRect& touched) {
            if (m_paintDepth == 0) {
                m_pendingShow |= touched;
                showCanvasNow();
            }
        },
        &m_drawnOver);
}

void CTAV1View::showCanvasNow()
{
    if (!m_pendingShow.isEmpty()) {
        m_canvasWidget->repaintCanvas(m_pendingShow);
        m_pendingShow = QRegion();
    }
}

void CTAV1View::RedrawWindow(bool erase)
{
    if (erase) {
        m_canvas.fill(Qt::white);
        m_mapRestorable = false;
    }
    m_restoredTiles.clear();
    m_repaintDrewWholeMap = false;
    ++m_paintDepth;
    OnPaint();
    --m_paintDepth;
    // Where the map was only restored, the tiles restored and those drawn since are all that
    // changed.
    m_pendingShow = m_repaintDrewWholeMap || erase ? QRegion(m_canvas.rect()) : m_drawnOver.region(std::move(m_restoredTiles));
    m_restoredTiles.clear();
    showCanvasNow();
}

QSize CTAV1View::sizeHint() const
{
    // The canvas is taller than the first view, so the vertical scroll bar is always there.
    return kFirstViewSize + QSize(verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), 2 * frameWidth());
}

QRect CTAV1View::visibleCanvasRect() const
{
    return zoom().toCanvas(QRect(-m_canvasWidget->pos(), viewport()->size()));
}

void CTAV1View::ensureCanvasSize(QSize size)
{
    const QSize grown = m_canvas.size().expandedTo(size);
    if (grown == m_canvas.size()) {
        return;
    }
    QImage larger(grown, QImage::Format_RGB32);
    if (larger.isNull()) {
        // Out of memory: keep the canvas; drawing beyond it is clipped.
        return;
    }
    larger.fill(Qt::white);
    for (int y = 0; y < m_canvas.height(); ++y) {
        std::copy_n(m_canvas.constScanLine(y), m_canvas.bytesPerLine(), larger.scanLine(y));
    }
    m_canvas = std::move(larger);
    m_drawnOver.resize(m_canvas.size());
    m_mapRestorable = false;
    m_canvasWidget->fitToCanvas();
}

void CTAV1View::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    ensureCanvasSize(viewport()->size());
}

void CTAV1View::showEvent(QShowEvent* event)
{
    QScrollArea::showEvent(event);
    if (!m_firstPaintDone) {
        // The first repaint of a shown window runs the view's paint logic once.
        m_firstPaintDone = true;
        QTimer::singleShot(0, this, [this] { RedrawWindow(true); });
    }
}
