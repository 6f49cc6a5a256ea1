#include "platform/ui.h"

#include <QByteArrayList>

#include <unistd.h>

#include <cassert>
#include <climits>

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

// QDir and QFileInfo hold names as QString, which cannot keep bytes that are not UTF-8: the
// path is made absolute and clean (no ".", "..", or doubled '/') by bytes here.
std::string takeChosenFile(const std::string& path)
{
    QByteArray absolute(path.data(), static_cast<qsizetype>(path.size()));
    if (!absolute.startsWith('/')) {
        char current[PATH_MAX];
        absolute.prepend(QByteArray(::getcwd(current, sizeof current) != nullptr ? current : ".") + '/');
    }
    QByteArrayList parts;
    for (const QByteArray& part : absolute.split('/')) {
        if (part == "..") {
            if (!parts.isEmpty()) {
                parts.removeLast();
            }
        } else if (!part.isEmpty() && part != ".") {
            parts.append(part);
        }
    }
    const QByteArray file = parts.isEmpty() ? QByteArray() : parts.takeLast();
    const QByteArray folder = '/' + parts.join('/');
    // A folder that cannot be entered leaves the working directory as it was, as QDir does.
    [[maybe_unused]] const int entered = ::chdir(folder.constData());
    return ((folder.endsWith('/') ? folder : folder + '/') + file).toStdString();
}

void ShowError(int code, const char* caption)
{
    ui().messageBox(QString::fromUtf8(caption), QString::asprintf("Error:%d", code), Ui::Icon::Error);
}
