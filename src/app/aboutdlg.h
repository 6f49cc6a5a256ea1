#pragma once

#include <QDialog>

// "About TAV1".
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
