#pragma once

// The code of the last failed system operation, shown in error boxes as "Error:%d".
// Our platform functions set it from errno, or to a fixed code where the failing call sets none.
int GetLastError();
void SetLastError(int code);

// Sets the last error from errno, falling back to `fallback` when errno is 0.
void SetLastErrorFromErrno(int fallback);
