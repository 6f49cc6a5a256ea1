#include "platform/runinput.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace {
int g_blocks = 0;
}

UserInputBlock::UserInputBlock()
{
    ++g_blocks;
    QCoreApplication::instance()->installEventFilter(this);
}

UserInputBlock::~UserInputBlock()
{
    QCoreApplication::instance()->removeEventFilter(this);
    --g_blocks;
}

bool UserInputBlock::eventFilter(QObject*, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_escapePressed = true;
    }
    if (type == QEvent::ShortcutOverride) {
        // Claimed for the focus widget, so no shortcut fires for the key.
        event->accept();
    }
    return event->isInputEvent() || type == QEvent::Shortcut || type == QEvent::InputMethod;
}

bool userInputBlocked()
{
    return g_blocks > 0;
}
