#include "platform/workshare.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

// Items shared among threads are each done once, and a thread's exception, on the caller or on
// a thread of the pool, reaches the caller once every thread has stopped.
TEST(ShareWork, EveryItemOnceAndAnExceptionOnAnyThreadReachesTheCaller)
{
    const std::thread::id caller = std::this_thread::get_id();
    const struct {
        const char* name;
        int throwsOn; // 0 no thread, 1 the caller, 2 any other
    } rows[] = { { "none throws", 0 }, { "the caller throws", 1 }, { "a thread of the pool throws", 2 },
        { "none again", 0 } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::atomic<int>> done(20000);
        std::atomic<std::size_t> next { 0 };
        std::atomic<bool> ran[2] = { false, false }; // the caller, another thread
        const auto work = [&](const std::atomic<bool>& stop) {
            const bool onCaller = std::this_thread::get_id() == caller;
            ran[onCaller ? 0 : 1] = true;
            // The thread that is to throw takes part before the items are gone.
            const int thrower = row.throwsOn - 1;
            while (row.throwsOn != 0 && (onCaller ? 0 : 1) != thrower && !ran[thrower]) {
                std::this_thread::yield();
            }
            for (std::size_t i = next++; i < done.size() && !stop; i = next++) {
                ++done[i];
                if (row.throwsOn == (onCaller ? 1 : 2) && i > 100) {
                    throw std::runtime_error("no room");
                }
            }
        };
        if (row.throwsOn == 0) {
            shareWork(2, work);
            for (const auto& item : done) {
                ASSERT_EQ(item, 1);
            }
        } else if (std::thread::hardware_concurrency() > 1) {
            EXPECT_THROW(shareWork(2, work), std::runtime_error);
        }
    }
}
