#include "platform/workshare.h"

#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

void shareWork(std::size_t workers, const std::function<void(const std::atomic<bool>& stop)>& work)
{
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    // An exception must not leave a thread (that ends the process): the first is kept for the
    // caller and the others stop at their next item.
    const auto guarded = [&] {
        try {
            work(stop);
        } catch (...) {
            const std::lock_guard lock(failureLock);
            if (!failure) {
                failure = std::current_exception();
            }
            stop = true;
        }
    };
    {
        std::vector<std::jthread> pool;
        try {
            pool.reserve(workers > 0 ? workers - 1 : 0);
            for (std::size_t w = 1; w < workers; ++w) {
                pool.emplace_back(guarded);
            }
        } catch (const std::system_error&) {
        } catch (const std::bad_alloc&) {
        }
        guarded();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
