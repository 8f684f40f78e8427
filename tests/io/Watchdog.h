#pragma once
// Bounds a whole test that waits on threads: should a join, an unlimited Wait or
// an Acquire never return (a lost wake-up), the process stops with a message
// after the limit instead of hanging the run. The limit is far beyond what a
// slow, loaded machine needs; it is never reached while things work.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace hgl::test
{
class Watchdog
{
    std::mutex lock;
    std::condition_variable done_cv;
    bool done = false;
    std::thread guard;

  public:
    explicit Watchdog(const char *what, int seconds = 120)
    {
        guard = std::thread(
            [this, what, seconds]
            {
                std::unique_lock<std::mutex> l(lock);
                if (!done_cv.wait_for(l, std::chrono::seconds(seconds), [this] { return done; }))
                {
                    std::fprintf(stderr, "%s: still waiting after %d s, giving up\n", what, seconds);
                    std::fflush(stderr);
                    std::abort();
                }
            });
    }
    ~Watchdog()
    {
        {
            std::lock_guard<std::mutex> l(lock);
            done = true;
        }
        done_cv.notify_all();
        guard.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;
};
} // namespace hgl::test
