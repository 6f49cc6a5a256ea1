#include "platform/ui.h"

#include <QDir>
#include <QFileInfo>

#include <cassert>

namespace {
Ui* g_ui = nullptr;
}

Ui& ui()
{
    assert(g_ui != nullptr);
    return *g_ui;
}

void setUi(Ui* service)
{
    g_ui = service;
}

QString takeChosenFile(const QString& path)
{
    const QFileInfo chosen(QDir::current(), path);
    QDir::setCurrent(chosen.absolutePath());
    return chosen.absoluteFilePath();
}

void ShowError(int code, const char* caption)
{
    ui().messageBox(QString::fromUtf8(caption), QString::asprintf("Error:%d", code), Ui::Icon::Error);
}
