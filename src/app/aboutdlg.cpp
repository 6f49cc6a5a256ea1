#include "app/aboutdlg.h"

#include "app/icons.h"
#include "app/version.h"
#include "platform/dialogunits.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About TAV1"));
    const QFont font = dialogFont();
    setFont(font);
    setFixedSize(fromDialogUnits(font, 0, 0, 235, 55).size());

    auto* icon = new QLabel(this);
    icon->setPixmap(appIcon().pixmap(32, 32));
    icon->setGeometry(fromDialogUnits(font, 11, 17, 20, 20));
    auto* version = new QLabel(QString::fromLatin1(kVersionText), this);
    version->setGeometry(fromDialogUnits(font, 40, 10, 119, 8));
    auto* purpose = new QLabel(QStringLiteral("Mobile cart on a bitmap map"), this);
    purpose->setGeometry(fromDialogUnits(font, 40, 25, 119, 8));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(fromDialogUnits(font, 178, 7, 50, 14));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
