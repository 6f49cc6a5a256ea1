#include "app/aboutdlg.h"
#include "app/mainframe.h"
#include "platform/ui.h"
#include "view/commandids.h"
#include "view/tav1view.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QSettings>

using namespace cmd;

namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");

} // namespace

QSettings profileSettings()
{
    return QSettings(QStringLiteral("Local AppWizard-Generated Applications"), QStringLiteral("TAV1"));
}

void CMainFrame::onFileNew()
{
    m_document.OnNewDocument();
    updateTitle();
    // Single-document interface: the same view is reused, only its initial update runs again.
    m_view->OnInitialUpdate();
}

bool CMainFrame::openDocument(const std::string& path)
{
    if (!m_document.OnOpenDocument(path)) {
        ui().messageBox(QStringLiteral("TAV1"), QStringLiteral("Failed to open document."), Ui::Icon::Warning);
        return false;
    }
    addRecentFile(m_document.GetPathName());
    updateTitle();
    m_view->OnInitialUpdate();
    return true;
}

void CMainFrame::onFileSaveAs()
{
    FileDialogRequest request;
    request.open = false;
    request.initialName = m_document.GetTitle();
    request.overwritePrompt = true;
    const std::optional<std::string> path = ui().fileDialog(request);
    if (!path) {
        return;
    }
    if (!m_document.OnSaveDocument(*path)) {
        ui().messageBox(QStringLiteral("TAV1"), QStringLiteral("Failed to save document."), Ui::Icon::Warning);
        return;
    }
    addRecentFile(m_document.GetPathName());
    updateTitle();
}

void CMainFrame::onPrintSetup()
{
    QPageSetupDialog dialog(&m_view->printer(), this);
    dialog.exec();
}

void CMainFrame::onAbout()
{
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::readRecentFiles()
{
    QSettings settings = profileSettings();
    settings.beginGroup(kRecentGroup);
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) {
            m_recentFiles.append(path);
        }
    }
    refreshRecentFiles();
}

void CMainFrame::addRecentFile(const QString& path)
{
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    saveRecentFiles();
}

void CMainFrame::saveRecentFiles()
{
    QSettings settings = profileSettings();
    settings.beginGroup(kRecentGroup);
    for (int i = 0; i < kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i + 1);
        if (i < m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles.at(i));
        } else {
            settings.remove(key);
        }
    }
    refreshRecentFiles();
}

void CMainFrame::openRecentFile(int index)
{
    if (index >= m_recentFiles.size()) {
        return;
    }
    if (!openDocument(QFile::encodeName(m_recentFiles.at(index)).toStdString())) {
        // A file that cannot be opened leaves the list, as the framework does.
        m_recentFiles.removeAt(index);
        saveRecentFiles();
    }
}

void CMainFrame::refreshRecentFiles()
{
    // With no entries the list shows one grayed "Recent File" item.
    action(ID_FILE_MRU_FILE1)->setVisible(m_recentFiles.isEmpty());
    for (int i = 0; i < m_recentActions.size(); ++i) {
        QAction* recent = m_recentActions.at(i);
        recent->setVisible(i < m_recentFiles.size());
        if (i < m_recentFiles.size()) {
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(m_recentFiles.at(i))));
        }
    }
}
