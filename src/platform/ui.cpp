#include "platform/ui.h"

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

void ShowError(int code, const char* caption)
{
    ui().messageBox(QString::fromUtf8(caption), QString::asprintf("Error:%d", code), Ui::Icon::Error);
}
