#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

// Runs `work` on `workers` threads at once, the caller's among them, and returns once every one
// has returned. `work` takes its items from a shared counter and should look at `stop` between
// items: it is set once any thread has thrown. The first exception thrown is rethrown here, to
// the caller, after all threads have stopped.
//
// The other threads come from one pool started at the first call that needs them and kept for
// the life of the process (a thread started per call costs more than a small call's work): at
// most one less than the cores. A call made while another caller holds the pool starts threads
// of its own; a thread the system cannot start leaves its share to the others.
void shareWork(std::size_t workers, const std::function<void(const std::atomic<bool>& stop)>& work);

// Items 0 .. count - 1 handed out `block` at a time to at most `threads` threads (shareWork), so
// that a thread that runs slower (long rays, a core shared with another program) takes fewer
// blocks instead of holding the others up. work(first, last) does items first .. last - 1.
void shareBlocks(std::size_t count, std::size_t block, int threads,
    const std::function<void(std::size_t first, std::size_t last)>& work);
