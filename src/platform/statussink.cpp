#include "platform/statussink.h"

namespace {
StatusSink* g_sink = nullptr;
}

StatusSink* mainStatusSink()
{
    return g_sink;
}

void setMainStatusSink(StatusSink* sink)
{
    g_sink = sink;
}
