#include "view/fnc.h"

#include "platform/statussink.h"

void CFnc::SetStatusText(const QString& text) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setPaneText(kMessagePane, text);
    }
}

void CFnc::SetMapPositionText(const QString& text) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setPaneText(kMapPositionPane, text);
    }
}

void CFnc::SetCollisionText(const QString& text) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setPaneText(kCollisionPane, text);
    }
}

void CFnc::SetRunProgress(int done, int total) const
{
    if (StatusSink* sink = mainStatusSink()) {
        sink->setRunProgress(done, total);
    }
}
