#include "platform/lasterror.h"

#include <cerrno>

namespace {
// Each thread's own, as errno is: two threads loading maps must not read each other's failure.
thread_local int g_lastError = 0;
}

int GetLastError()
{
    return g_lastError;
}

void SetLastError(int code)
{
    g_lastError = code;
}

void SetLastErrorFromErrno(int fallback)
{
    g_lastError = errno != 0 ? errno : fallback;
}
