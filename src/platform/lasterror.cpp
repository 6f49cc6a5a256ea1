#include "platform/lasterror.h"

#include <cerrno>

namespace {
int g_lastError = 0;
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
