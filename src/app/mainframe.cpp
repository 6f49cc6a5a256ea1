#include "app/mainframe.h"

#include "app/icons.h"
#include "app/messagepane.h"
#include "app/scanplot.h"
#include "view/commandtable.h"
#include "view/tav1view.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

using namespace cmd;

namespace {
const QString kReady = QStringLiteral("Ready");
}

CMainFrame::CMainFrame()
{
    setWindowIcon(appIcon());
    createActions();
    createMenus();
    createStatusBar();
    createToolBar();
    m_view = new CTAV1View(this);
    setCentralWidget(m_view);
    createScannerDock();
    connectCommands();
    readRecentFiles();
    m_document.OnNewDocument();
    updateTitle();
    // Until it is placed, the window has the size it asks for: shown as it is, its view shows
    // the first view's area and is not laid out again at once.
    resize(sizeHint());
    setMainStatusSink(this);
}

CMainFrame::~CMainFrame()
{
    setMainStatusSink(nullptr);
}

QAction* CMainFrame::action(int id) const
{
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

QMenu* CMainFrame::submenu(const QString& label) const
{
    const auto found = m_menus.find(label);
    return found != m_menus.end() ? found->second : nullptr;
}

QString CMainFrame::paneText() const
{
    return m_messagePane->text();
}

void CMainFrame::setPaneText(int pane, const QString& text)
{
    if (pane == kMessagePane) {
        m_messagePane->setText(text);
        m_messagePane->repaint();
    } else if (pane == kMapPositionPane || pane == kCollisionPane) {
        QLabel* field = pane == kMapPositionPane ? m_mapPosition : m_collision;
        field->setText(text);
        field->setVisible(!text.isEmpty());
    }
}

void CMainFrame::setRunProgress(int done, int total)
{
    m_runProgress->setVisible(total > 0);
    if (total > 0) {
        m_runProgress->setRange(0, total);
        m_runProgress->setValue(done);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (m_view->runGoing()) {
        // The run ends after its current step; the window closes as soon as the run returns.
        m_view->requestStop();
        m_closeAfterRun = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A toolbar hidden by a restored layout before the first show reports no change of its own.
    action(ID_VIEW_TOOLBAR)->setChecked(!m_toolBar->isHidden());
    action(ID_VIEW_SCANNER)->setChecked(!m_scannerDock->isHidden());
}

void CMainFrame::createScannerDock()
{
    // Off until asked for; the window's saved state brings it back as it was left.
    auto* plot = new ScanPlot;
    m_scannerDock = new QDockWidget(QStringLiteral("Scanner"), this);
    m_scannerDock->setObjectName(QStringLiteral("scannerDock"));
    m_scannerDock->setWidget(plot);
    addDockWidget(Qt::RightDockWidgetArea, m_scannerDock);
    m_scannerDock->hide();
    // A hidden plot costs a step no more than this test; shown, it starts from the last sweep.
    const auto showLastSweep = [view = m_view, plot] {
        plot->setSweep(view->m_lastSweep, view->m_mapGeometry ? view->m_mapGeometry->resolution : 0.0);
    };
    m_view->onSweep = [this, showLastSweep] {
        if (!m_scannerDock->isHidden()) {
            showLastSweep();
        }
    };
    connect(m_scannerDock, &QDockWidget::visibilityChanged, plot, [showLastSweep](bool visible) {
        if (visible) {
            showLastSweep();
        }
    });
}

void CMainFrame::finishViewCommand()
{
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        close();
    }
}

void CMainFrame::createActions()
{
    for (const Command& command : commandTable()) {
        if (command.label == nullptr) {
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(command.label), this);
        action->setData(command.id);
        QList<QKeySequence> keys;
        for (QKeyCombination key : command.keys) {
            if (key != QKeyCombination()) {
                keys << QKeySequence(key);
            }
        }
        action->setShortcuts(keys);
        const QString prompt = QString::fromUtf8(command.prompt);
        connect(action, &QAction::hovered, this, [this, prompt] { setPaneText(0, prompt); });
        m_actions[command.id] = action;
    }
    for (int i = 0; i < kRecentFileCount; ++i) {
        auto* recent = new QAction(this);
        recent->setData(ID_FILE_MRU_FILE1 + i);
        connect(recent, &QAction::triggered, this, [this, i] { openRecentFile(i); });
        connect(recent, &QAction::hovered, this, [this] { setPaneText(0, QString::fromUtf8(kRecentFilePrompt)); });
        m_recentActions.append(recent);
    }
}

void CMainFrame::createMenus()
{
    QMenu* current = nullptr;
    for (const Command& command : commandTable()) {
        if (command.menu == nullptr) {
            menuBar()->addAction(m_actions.at(command.id));
            current = nullptr;
            continue;
        }
        const QString title = QString::fromUtf8(command.menu);
        if (current == nullptr || current->title() != title) {
            current = menuBar()->addMenu(title);
            m_menus[title] = current;
            connect(current, &QMenu::aboutToHide, this, [this] { setPaneText(0, kReady); });
        }
        if (command.label == nullptr) {
            current->addSeparator();
            continue;
        }
        current->addAction(m_actions.at(command.id));
        if (command.id == ID_FILE_MRU_FILE1) {
            current->addActions(m_recentActions);
        }
    }
}

void CMainFrame::createToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setIconSize(QSize(16, 15));
    std::map<int, int> buttons; // toolbar place -> command id
    for (const Command& command : commandTable()) {
        if (command.toolbarSlot != 0) {
            buttons[command.toolbarSlot] = command.id;
        }
    }
    int previous = 0;
    for (const auto& [place, id] : buttons) {
        if (previous != 0 && place > previous + 1) {
            m_toolBar->addSeparator();
        }
        previous = place;
        QAction* button = m_actions.at(id);
        button->setIcon(toolbarIcon(id));
        m_toolBar->addAction(button);
    }
}

void CMainFrame::createStatusBar()
{
    m_messagePane = new MessagePane;
    m_messagePane->setText(kReady);
    statusBar()->addWidget(m_messagePane, 1);
    m_runProgress = new QProgressBar;
    m_runProgress->setObjectName(QStringLiteral("runProgress"));
    m_runProgress->setFormat(QStringLiteral("%v / %m"));
    m_runProgress->setMaximumWidth(160);
    m_runProgress->hide();
    statusBar()->addPermanentWidget(m_runProgress);
    // Only a map with a description has positions in metres.
    m_mapPosition = new QLabel;
    m_mapPosition->setObjectName(QStringLiteral("mapPosition"));
    m_mapPosition->hide();
    statusBar()->addPermanentWidget(m_mapPosition);
    // Shown after a run whose cart touched a wall.
    m_collision = new QLabel;
    m_collision->setObjectName(QStringLiteral("collision"));
    m_collision->hide();
    statusBar()->addPermanentWidget(m_collision);
    // The lock-key indicators; Qt cannot read the lock state portably, so they stay blank.
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel;
        pane->setObjectName(QString::fromLatin1(indicator));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        statusBar()->addPermanentWidget(pane);
    }
}

void CMainFrame::connectCommands()
{
    for (const auto& [id, action] : m_actions) {
        if (const auto handler = findCommand(id)->handler) {
            connect(action, &QAction::triggered, this, [this, handler] {
                handler(*m_view);
                finishViewCommand();
            });
        }
    }
    const auto frameCommand = [this](int id, auto slot) {
        connect(m_actions.at(id), &QAction::triggered, this, slot);
    };
    frameCommand(ID_FILE_NEW, [this] { onFileNew(); });
    frameCommand(ID_FILE_SAVE_AS, [this] { onFileSaveAs(); });
    frameCommand(ID_FILE_PRINT_SETUP, [this] { onPrintSetup(); });
    frameCommand(ID_APP_ABOUT, [this] { onAbout(); });
    frameCommand(ID_APP_EXIT, [this] { close(); });

    QAction* toolbar = m_actions.at(ID_VIEW_TOOLBAR);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    connect(toolbar, &QAction::toggled, m_toolBar, &QToolBar::setVisible);
    connect(m_toolBar, &QToolBar::visibilityChanged, toolbar, &QAction::setChecked);
    QAction* status = m_actions.at(ID_VIEW_STATUS_BAR);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    QAction* scanner = m_actions.at(ID_VIEW_SCANNER);
    scanner->setCheckable(true);
    connect(scanner, &QAction::toggled, m_scannerDock, &QDockWidget::setVisible);
    // The signal's own argument: it also comes while the frame is being taken down.
    connect(m_scannerDock, &QDockWidget::visibilityChanged, scanner, &QAction::setChecked);

    // Whatever nothing handles is shown disabled, as the Edit commands are.
    const int frameIds[] = {ID_FILE_NEW, ID_FILE_SAVE_AS, ID_FILE_PRINT_SETUP, ID_APP_ABOUT,
                            ID_APP_EXIT, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_SCANNER};
    for (const auto& [id, action] : m_actions) {
        const bool frameHandles = std::find(std::begin(frameIds), std::end(frameIds), id) != std::end(frameIds);
        action->setEnabled(frameHandles || findCommand(id)->handler != nullptr);
    }
}

void CMainFrame::updateTitle()
{
    setWindowTitle(QStringLiteral("%1 - TAV1").arg(m_document.GetTitle()));
}
