#include "view/fnc.h"

#include "platform/statussink.h"

void CFnc::SetStatusText(const QString& text) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setPaneText(0, text);
    }
}

void CFnc::SetRunProgress(int done, int total) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setRunProgress(done, total);
    }
}
