#include "platform/ui.h"

#include "platform/fileopen.h"

#include <QFile>

#include <cassert>
#include <filesystem>
#include <system_error>

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

std::string takeChosenFile(const std::string& path)
{
    const std::string chosen = absoluteName(path);
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(chosen).parent_path(), error);
    return chosen;
}

void ShowError(int code, const char* caption)
{
    ui().messageBox(QString::fromUtf8(caption), QString::asprintf("Error:%d", code), Ui::Icon::Error);
}

void ShowCommandError(int code, const char* caption)
{
    ui().commandFailed(QString::fromUtf8(caption), QString::asprintf("Error:%d", code));
}
