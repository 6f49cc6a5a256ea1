#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

// Runs `work` on `workers` threads at once, the caller's among them, and returns once every one
// has returned. `work` takes its items from a shared counter and should look at `stop` between
// items: it is set once any thread has thrown. The first exception thrown is rethrown here, to
// the caller, after all threads have stopped; a thread the system cannot start leaves its share
// to the others.
void shareWork(std::size_t workers, const std::function<void(const std::atomic<bool>& stop)>& work);
