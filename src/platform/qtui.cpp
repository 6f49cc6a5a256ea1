#include "platform/qtui.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

void QtUi::messageBox(const QString& caption, const QString& text, Icon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case Icon::Warning:
        boxIcon = QMessageBox::Warning;
        break;
    case Icon::Error:
        boxIcon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(boxIcon, caption, text, QMessageBox::Ok);
    box.exec();
}

std::optional<std::string> QtUi::fileDialog(const FileDialogRequest& request)
{
    QFileDialog dialog(nullptr, QString(), QDir::currentPath());
    dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.caption.isEmpty()) {
        dialog.setWindowTitle(request.caption);
    }
    if (!request.filter.isEmpty()) {
        dialog.setNameFilters({request.filter, QStringLiteral("All files (*)")});
    } else if (!request.initialName.contains(QLatin1Char('*'))) {
        dialog.selectFile(request.initialName);
    } else {
        dialog.setNameFilters({request.initialName, QStringLiteral("*")});
    }
    if (!request.overwritePrompt) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return takeChosenFile(QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString());
}

int QtUi::runModal(ModalDialog& dialog)
{
    return dialog.dialog().exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void QtUi::beep()
{
    QApplication::beep();
}
