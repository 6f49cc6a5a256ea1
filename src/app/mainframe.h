#pragma once

#include "app/tav1doc.h"
#include "platform/statussink.h"

#include <QMainWindow>

#include <map>

class CTAV1View;
class QDockWidget;
class MessagePane;
class QAction;
class QMenu;
class QLabel;
class QProgressBar;
class QSettings;

// The framework's profile: recent files, window placement and print settings.
QSettings profileSettings();

// The main window: menu, toolbar and status bar around the one view, and the data-less
// document. Commands go to the view first; those it does not handle go to the frame, and
// items that nothing handles are shown disabled.
class CMainFrame : public QMainWindow, public StatusSink {
public:
    CMainFrame();
    ~CMainFrame() override;

    CTAV1View* view() const { return m_view; }
    CTAV1Doc& document() { return m_document; }
    // The action of a command id, or nullptr.
    QAction* action(int id) const;
    QMenu* submenu(const QString& label) const;
    QString paneText() const;

    void setPaneText(int pane, const QString& text) override;
    void setRunProgress(int done, int total) override;

    // Opens a file (its name in bytes) as the (data-less) document; false, with a box, when it
    // cannot be opened.
    bool openDocument(const std::string& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createScannerDock();
    void createStatusBar();
    void connectCommands();
    // After each view command: a close asked for during a run happens now that it has ended.
    void finishViewCommand();
    void readRecentFiles();
    void updateTitle();

    void onFileNew();
    void onFileSaveAs();
    void onPrintSetup();
    void onAbout();
    void openRecentFile(int index);
    void addRecentFile(const QString& path);
    void saveRecentFiles();
    void refreshRecentFiles();

    CTAV1Doc m_document;
    CTAV1View* m_view = nullptr;
    MessagePane* m_messagePane = nullptr;
    QProgressBar* m_runProgress = nullptr;
    QLabel* m_mapPosition = nullptr;
    QLabel* m_collision = nullptr;
    bool m_closeAfterRun = false;
    QToolBar* m_toolBar = nullptr;
    QDockWidget* m_scannerDock = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<QString, QMenu*> m_menus;
    QStringList m_recentFiles;
    QList<QAction*> m_recentActions;
};
