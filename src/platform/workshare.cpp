#include "platform/workshare.h"

#include <pthread.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Threads that wait for a job, run it, and wait again; one caller at a time hands them a job.
class Pool {
public:
    explicit Pool(std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            try {
                std::thread(&Pool::serve, this).detach();
                ++m_size;
            } catch (const std::system_error&) {
                break;
            }
        }
    }

    std::size_t size() const { return m_size; }

    // Runs `job` on the caller and on `helpers` of the pool's threads, and waits for them all;
    // false, having run nothing, when another caller has the pool.
    bool run(std::size_t helpers, const std::function<void()>& job)
    {
        std::unique_lock caller(m_caller, std::try_to_lock);
        if (!caller) {
            return false;
        }
        {
            const std::lock_guard lock(m_lock);
            m_job = &job;
            m_unclaimed = std::min(helpers, m_size);
            m_running = m_unclaimed;
            ++m_generation;
        }
        m_wake.notify_all();
        job();
        std::unique_lock lock(m_lock);
        m_finished.wait(lock, [this] { return m_running == 0; });
        return true;
    }

private:
    void serve()
    {
        std::uint64_t seen = 0;
        std::unique_lock lock(m_lock);
        for (;;) {
            m_wake.wait(lock, [&] { return m_generation != seen; });
            seen = m_generation;
            if (m_unclaimed == 0) {
                continue;
            }
            --m_unclaimed;
            const std::function<void()>* job = m_job;
            lock.unlock();
            (*job)();
            lock.lock();
            if (--m_running == 0) {
                m_finished.notify_all();
            }
        }
    }

    std::size_t m_size = 0;
    std::mutex m_caller;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    const std::function<void()>* m_job = nullptr;
    std::uint64_t m_generation = 0;
    std::size_t m_unclaimed = 0;
    std::size_t m_running = 0;
};

// Kept for the life of the process: its threads never end, so it is never destroyed.
Pool* g_pool = nullptr;
std::mutex g_poolMaking;

// A child made by fork() has none of the pool's threads: it makes a pool of its own when it
// needs one (the old one, and a lock a parent's thread may have held, are left behind).
void forgetPoolInChild()
{
    g_pool = nullptr;
    new (&g_poolMaking) std::mutex;
}

Pool& pool()
{
    const std::lock_guard lock(g_poolMaking);
    if (g_pool == nullptr) {
        static const int registered = pthread_atfork(nullptr, nullptr, forgetPoolInChild);
        (void)registered;
        g_pool = new Pool(std::max(1u, std::thread::hardware_concurrency()) - 1);
    }
    return *g_pool;
}

// Threads of the call's own, for a call made while another has the pool.
void runOnOwnThreads(std::size_t helpers, const std::function<void()>& job)
{
    std::vector<std::jthread> threads;
    try {
        threads.reserve(helpers);
        for (std::size_t i = 0; i < helpers; ++i) {
            threads.emplace_back(job);
        }
    } catch (const std::system_error&) {
    } catch (const std::bad_alloc&) {
    }
    job();
}

} // namespace

void shareBlocks(std::size_t count, std::size_t block, int threads,
    const std::function<void(std::size_t first, std::size_t last)>& work)
{
    std::atomic<std::size_t> next { 0 };
    const std::size_t blocks = (count + block - 1) / block;
    shareWork(std::clamp<std::size_t>(std::size_t(std::max(threads, 1)), 1, std::max<std::size_t>(blocks, 1)),
        [&](const std::atomic<bool>& stop) {
            for (std::size_t first = next.fetch_add(block); first < count && !stop; first = next.fetch_add(block)) {
                work(first, std::min(first + block, count));
            }
        });
}

void shareWork(std::size_t workers, const std::function<void(const std::atomic<bool>& stop)>& work)
{
    std::atomic<bool> stop { false };
    std::exception_ptr failure;
    std::mutex failureLock;
    // An exception must not leave a thread (that ends the process): the first is kept for the
    // caller and the others stop at their next item.
    const std::function<void()> guarded = [&] {
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
    const std::size_t helpers = workers > 0 ? workers - 1 : 0;
    if (helpers == 0) {
        guarded();
    } else if (!pool().run(helpers, guarded)) {
        runOnOwnThreads(helpers, guarded);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
}
