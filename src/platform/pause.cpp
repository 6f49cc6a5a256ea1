#include "platform/pause.h"

#include "platform/runinput.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

namespace {
bool g_pausesSkipped = false;
// Slices of a pause between two looks at the event queue.
constexpr int kSliceMs = 10;
}

void setPausesSkipped(bool skipped)
{
    g_pausesSkipped = skipped;
}

void keepWindowAlive()
{
    // Under a UserInputBlock input is taken, so that the block can drop it and see Esc.
    QCoreApplication::processEvents(userInputBlocked() ? QEventLoop::AllEvents
                                                       : QEventLoop::ExcludeUserInputEvents);
}

void Sleep(int ms)
{
    if (g_pausesSkipped || ms <= 0) {
        return;
    }
    const QDeadlineTimer deadline(ms);
    for (qint64 left = deadline.remainingTime(); left > 0; left = deadline.remainingTime()) {
        keepWindowAlive();
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kSliceMs)));
    }
}
