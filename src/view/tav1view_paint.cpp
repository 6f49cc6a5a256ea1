#include "view/tav1view.h"

#include "platform/lasterror.h"
#include "platform/ui.h"
#include "sim/geometry.h"
#include "sim/scanrecord.h"
#include "sim/trajectory.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

// The map is drawn on a canvas at least the scroll size large, so a long thin map may need a
// canvas far beyond the bitmap limit: it is refused as a bitmap beyond the limit is.
BitmapHandle bitmapForCanvas(const DibHandle& dib)
{
    if (!fitsBitmapLimit(std::max(dib->width(), CTAV1View::kScrollSize.width()),
                         std::max(dib->height(), CTAV1View::kScrollSize.height()))) {
        SetLastError(kBitmapTooLarge);
        return nullptr;
    }
    return BitmapFromDIB(dib);
}

} // namespace

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
    if (!m_bitmapLoaded && !m_autoLoadBlocked) {
        loadMap();
    }
    OnDraw();
}

void CTAV1View::OnFileOpen()
{
    m_autoLoadBlocked = false;
    loadMap();
}

bool CTAV1View::loadMap()
{
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = QStringLiteral("bmp");
    request.initialName = QStringLiteral("*.bmp");
    request.overwritePrompt = true;
    g_obstacleCount = 0;

    std::string fileName = m_mapFileName;
    if (!m_startupMap.empty()) {
        fileName = std::exchange(m_startupMap, std::string());
        if (m_openDialog != 0) {
            fileName = takeChosenFile(fileName);
        }
        if (isMapDescription(QFile::decodeName(QByteArray::fromStdString(fileName)))) {
            m_autoLoadBlocked = !importMap(fileName);
            return !m_autoLoadBlocked;
        }
    } else if (m_openDialog != 0) {
        const std::optional<std::string> chosen = ui().fileDialog(request);
        if (!chosen) {
            m_autoLoadBlocked = true;
            return false;
        }
        fileName = *chosen;
    }
    DibHandle dib = LoadDIBFromFile(fileName);
    if (!dib) {
        m_hDib = nullptr;
        m_autoLoadBlocked = true;
        ShowError(GetLastError(), "Error LoadDIBFromFile");
        return false;
    }
    return showLoadedMap(std::move(dib), std::nullopt);
}

bool CTAV1View::showLoadedMap(DibHandle dib, std::optional<MapGeometry> geometry)
{
    BitmapHandle bitmap = bitmapForCanvas(dib);
    if (bitmap) {
        // The view keeps the map once, as colour indices where it has few colours; its 32-bit
        // pixels go before the canvas grows.
        if (QImage indexed = indexedCopy(*bitmap); !indexed.isNull()) {
            bitmap = std::make_shared<const QImage>(std::move(indexed));
            dib = bitmap;
        }
        ensureCanvasSize(bitmap->size());
        // A canvas that could not grow for want of memory would show a cut map.
        if (m_canvas.width() < bitmap->width() || m_canvas.height() < bitmap->height()) {
            bitmap = nullptr;
            SetLastError(kBitmapTooLarge);
        }
    }
    if (!bitmap) {
        // A map the program cannot hold leaves the one shown, and everything about it, as it was.
        m_autoLoadBlocked = true;
        ShowError(GetLastError(), "Error BitmapFromDIB");
        return false;
    }
    m_hDib = std::move(dib);
    m_hBitmap = std::move(bitmap);
    m_mapRestorable = false;
    m_mapGeometry = std::move(geometry);
    m_fnc.SetMapPositionText(QString());
    {
        Surface dc = GetDC();
        if (DrawBitmap(dc, 0, 0, m_hBitmap) == 0) {
            m_autoLoadBlocked = true;
            ShowError(GetLastError(), "Error DrawBitmap");
            return false;
        }
    }
    if (m_trajectoryType != 0) {
        OnDraw();
    }
    m_bitmapLoaded = true;
    OnDraw();
    return true;
}

void CTAV1View::OnDraw()
{
    if (m_hBitmap) {
        ensureCanvasSize(QSize(m_bitmapX + m_hBitmap->width(), m_bitmapY + m_hBitmap->height()));
    }
    Surface dc = GetDC();
    if (!drawMap(dc)) {
        ShowError(GetLastError(), "Error DrawBitmap");
        return;
    }
    if (m_markersShown) {
        dc.Ellipse(offsetPixel(m_cartX, -5), offsetPixel(m_cartY, -5), offsetPixel(m_cartX, 5),
                   offsetPixel(m_cartY, 5));
        if (m_curveDlg.m_numbers != 0) {
            dc.TextOut(m_startEndDlg.m_startX, m_startEndDlg.m_startY, "S");
        }
        dc.TextOut(offsetPixel(m_targetX, -10), offsetPixel(m_targetY, -10), "E");
        if (m_trajectoryType != 0) {
            replotTrajectory(dc, m_pTrajectory.get(), m_trajectoryCount, m_trajectoryColor);
        }
    }
    if (m_plotOnDraw) {
        OnKresli();
    }
}

bool CTAV1View::drawMap(Surface& dc)
{
    if (m_mapRestorable && !m_fullRepaints) {
        copyMarkedTiles(m_drawnOver, *m_hBitmap, QPoint(m_bitmapX, m_bitmapY), m_canvas);
        m_restoredTiles.insert(m_restoredTiles.end(), m_drawnOver.marked().begin(), m_drawnOver.marked().end());
        m_drawnOver.clear();
        return true;
    }
    if (DrawBitmap(dc, m_bitmapX, m_bitmapY, m_hBitmap) == 0) {
        return false;
    }
    m_drawnOver.clear();
    m_mapRestorable = m_hBitmap != nullptr;
    m_repaintDrewWholeMap = true;
    return true;
}

void CTAV1View::OnPomocneMenu()
{
    RedrawWindow(true);
}
