#include "dialogs/dialogform.h"

#include "dialogs/templatedialog.h"

#include <QApplication>

#include <utility>

int runDialog(DialogForm form)
{
    // Owned by the active (main) window, so it opens over it.
    TemplateDialog dialog(std::move(form), QApplication::activeWindow());
    return ui().runModal(dialog);
}
