#pragma once

#include <unistd.h>

// An open or read that blocks would hang the test program: while a guard lives, an alarm ends
// the program after a generous time instead, and the test run reports it.
class HangGuard {
public:
    HangGuard() { alarm(kSeconds); }
    ~HangGuard() { alarm(0); }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    static constexpr unsigned kSeconds = 20;
};
