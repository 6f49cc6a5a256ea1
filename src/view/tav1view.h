#pragma once

#include "curves/pointdata.h"
#include "dialogs/curvedlg.h"
#include "dialogs/startenddlg.h"
#include "dialogs/vehicledlg.h"
#include "platform/bitmap.h"
#include "platform/blockalloc.h"
#include "platform/drawntiles.h"
#include "platform/surface.h"
#include "sim/cartcollision.h"
#include "sim/cartrecord.h"
#include "sim/occupancymap.h"
#include "sim/runrecord.h"
#include "sim/trajectorypoint.h"
#include "view/fnc.h"
#include "view/zoom.h"

#include <QImage>
#include <QRegion>
#include <QScrollArea>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CanvasWidget;
class QPrinter;

// The one view of the program and the one owner of its state: the map, the start and end
// points, the reference path, the cart, the curve-tool buffers, the settings read from the
// configuration file and the dialog objects whose members double as settings.
//
// Everything is drawn into a persistent canvas (view pixels, origin top-left, not offset by
// scrolling); the widget only shows it. The members are public: they are the program's state,
// read by its commands, its status line, its batch dump and its tests.
class CTAV1View : public QScrollArea {
public:
    // The scroll size the view asks for: 800 x 1050 at 0.01 inch, in 96-dpi pixels.
    static constexpr QSize kScrollSize{768, 1008};
    static constexpr int kDataFileNameLimit = 75;
    // What the first window shows at least: the whole sample map.
    static constexpr QSize kFirstViewSize{800, 600};

    explicit CTAV1View(QWidget* parent = nullptr);
    ~CTAV1View() override;

    // False when the work buffers could not be had; the program must not go on then.
    bool constructed() const { return m_constructed; }
    QSize sizeHint() const override;
    // The map the first load takes instead of the configured one (file name bytes). Where the
    // configuration asks for the map dialog, the dialog is not shown and this is its answer:
    // the file's folder becomes the working directory, as choosing it there does.
    void setStartupMap(std::string path) { m_startupMap = std::move(path); }
    // The printer that Print Setup sets up and Print and Print Preview print on.
    QPrinter& printer();

    // --- drawing surface
    // A drawing context on the canvas; what it draws is shown when it is released.
    Surface GetDC();
    // Synchronous repaint: with `erase`, the canvas is first filled with the window colour;
    // then the view's paint logic runs and the result is shown at once.
    void RedrawWindow(bool erase);
    // A repaint puts the map back only where drawings covered it since it was last drawn whole;
    // with this on, it draws the whole map every time instead (the same pixels, at a cost that
    // grows with the map: kept to check the first way against).
    void setFullRepaints(bool on) { m_fullRepaints = on; }
    const QImage& canvas() const { return m_canvas; }
    // Grows the canvas (never shrinks it) to hold at least `size`.
    void ensureCanvasSize(QSize size);
    // The part of the canvas the viewport shows, scrolled and zoomed as it is.
    QRect visibleCanvasRect() const;

    // --- display zoom (the canvas and every coordinate stay in canvas pixels)
    Zoom zoom() const;
    // Keeps the canvas pixel under `anchor` (a viewport position) where it is.
    void setZoom(Zoom zoom, QPoint anchor);
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomActualSize();
    void OnFitToWindow();
    // Centres the view on a canvas point that lies outside the viewport less a margin.
    void keepInSight(QPoint canvasPoint);

    // --- lifecycle, map and repaint
    void OnInitialUpdate();
    void OnPaint();
    void OnDraw();
    void OnFileOpen();
    // File › Import occupancy map…: a mapping tool's map (YAML and image, or a grey image).
    void OnImportOccupancyMap();
    // Imports the map at `path` (bytes); on failure says why and keeps the current map.
    bool importMap(const std::string& path);
    void OnFilePrint();
    void OnFilePrintPreview();

    // --- pointer input, in canvas pixels
    void OnMouseMove(QPoint point);
    void OnLButtonDblClk(QPoint point);

    // --- commands
    void OnPomocneMenu();
    void OnClearStartEnd();
    void OnSettings();
    void OnAmplituda();
    void OnSettingsVehicle();
    void OnCurveSettings();

    // --- vehicle simulation
    struct Polar {
        float angle;
        float length;
    };
    void OnSin2Pi();
    void OnSinPi();
    void OnLine();
    void OnGooooo();
    void OnStartCiel();
    void OnScanner();
    void OnFileSave();
    void OnAnimuj();
    // True while "Animuj" runs; requestStop ends the run after its current step.
    bool runGoing() const { return m_runGoing; }
    void requestStop() { m_stopRequested = true; }
    void AnimationStep(int guideX, int guideY, int nextX, int nextY);
    // A run starts: going, not asked to stop, an empty recording on the current map.
    void beginRun();
    // Writes the last run's recording as CSV files (a file dialog picks the name).
    void OnExportRun();
    // Trajectory › Load path… and Save path…: the stored trajectory from and to a path file.
    void OnLoadPath();
    void OnSavePath();
    // Trajectory › Follow path: the cart drives the stored path under its own controller.
    void OnFollowPath();
    // The stored trajectory's type when it was loaded from a file (the generators' are 1 to 3).
    static constexpr int kLoadedPathType = 4;
    Polar GetStartEndPolar() const;
    void ShowGuidanceStatus(int guideX, int guideY, float steeringAngle);

    // --- curve tools
    void OnSaveCircle();
    void OnLoadData();
    void OnKresli();
    void OnAlgoritmus();
    bool ReadIni();
    void OnWriteIni();

    // --- state, in the order of the program's member table
    int m_cartX = 0;
    int m_cartY = 0;
    int m_targetX = 0;
    int m_targetY = 0;
    CVehicleDlg m_vehicleDlg;
    CFnc m_fnc;
    Brush m_hatchBrush{kCartBrush};
    Block<float> m_pointsX;
    Block<float> m_pointsY;
    Block<IntegrationRecord> m_pAlgoBuffer;
    std::string m_dataFileName;
    CCurveDlg m_curveDlg;
    std::int16_t m_delayMs = 0;
    DibHandle m_hDib;
    BitmapHandle m_hBitmap;
    std::string m_mapFileName;
    float m_scanStepDivisor = 0.0f;
    int m_trajectoryType = 0;
    int m_amplitude = 0;
    Block<TrajectoryPoint> m_pTrajectory;
    Pen m_greenPen{PenStyle::DashDotDot, 5, RGB(0, 255, 0)};
    Pen m_redDotPen{PenStyle::Dot, 2, RGB(255, 0, 0)};
    Pen m_blackDotPen{kCartPen};
    Block<CartRecord> m_pCart;
    int m_curveDialogs = 0;
    int m_openDialog = 0;
    int m_useDefaults = 0;
    int m_showMessageBox = 0;
    bool m_plotOnDraw = false;
    bool m_bitmapLoaded = false;
    bool m_startSet = false;
    bool m_endSet = false;
    int m_pointCount = 0;
    // Records of the last integration run (record 0 included); 0 before the first run.
    int m_integrationCount = 0;
    int m_scannerRange = 0;
    std::FILE* m_traceFile = nullptr;
    CStartEndDlg m_startEndDlg;
    bool m_markersShown = false;
    int m_trajectoryCount = 0;
    // Records 0 .. this - 1 have been written by some generator (the buffer's used part).
    int m_trajectoryHighWater = 0;
    int m_bitmapX = 0;
    int m_bitmapY = 0;
    COLORREF m_trajectoryColor = RGB(0, 0, 0);
    // Status and message texts are formatted here; it grows as a text needs.
    std::string m_pText;
    // The steps and hits of the last "Animuj" run, recorded while it goes.
    RunRecord m_lastRun;
    // Where the map lies in the world, when it came with a mapping tool's description.
    std::optional<MapGeometry> m_mapGeometry;
    // The last sweep ("Scanner" or a run's step), and who wants to know of each new one.
    SweepRecord m_lastSweep;
    std::function<void()> onSweep;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Ctrl + wheel zooms at the pointer; the wheel alone scrolls.
    void wheelEvent(QWheelEvent* event) override;

private:
    // Shows the part of the canvas drawn since the last call at once.
    void showCanvasNow();
    bool loadMap();
    // Makes the map just read, with its place in the world, the view's map and draws it as
    // loading does; false, with the error shown and the current map kept, when it cannot be.
    bool showLoadedMap(DibHandle dib, std::optional<MapGeometry> geometry);
    // The map under OnDraw's drawings; false when it could not be drawn.
    bool drawMap(Surface& dc);
    template <class Generate>
    void generateTrajectory(int type, Generate generate);
    // Returns the rays cast; the hits go to `hits` too, when given.
    int sweepFromCart(Surface& dc, std::vector<ScanHit>* hits = nullptr);
    // Follow path's sweep from the cart: over the map's own pixels, as the cart senses the world
    // and not what is drawn over it; the rays drawn where the scanner's trace is on.
    int sweepMapFromCart(Surface& dc, const QImage& map, std::vector<ScanHit>& hits);
    bool allocateBuffers();
    void setDefaults();

    QImage m_canvas;
    CanvasWidget* m_canvasWidget = nullptr;
    QRegion m_pendingShow;
    // Above 0 while a repaint runs: its drawings are shown together when it ends.
    int m_paintDepth = 0;
    // The tiles drawn over since the map was last drawn whole. The map can be restored from
    // them while nothing else changed the canvas under them (a new map, an erase, a resize).
    DrawnTiles m_drawnOver;
    bool m_mapRestorable = false;
    bool m_fullRepaints = false;
    // What the running repaint changed: the tiles it restored, or everything when it drew the
    // whole map.
    std::vector<std::int32_t> m_restoredTiles;
    bool m_repaintDrewWholeMap = false;
    std::string m_startupMap;
    std::unique_ptr<QPrinter> m_printer;
    bool m_runGoing = false;
    bool m_stopRequested = false;
    bool m_constructed = false;
    bool m_firstPaintDone = false;
    // Set when a map load failed or was cancelled; a repaint then no longer loads on its own,
    // so closing the error box (which repaints) cannot bring the box or the dialog back.
    bool m_autoLoadBlocked = false;
    // Wheel turns not yet spent on a zoom step (high-resolution wheels send parts of a notch).
    int m_zoomWheelDelta = 0;
};
