// Threads, locks and semaphores. Every wait here is bounded (the watchdog, WaitFor),
// and no result depends on how fast a loaded machine schedules the threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "io/Thread.h"
#include "support/LogCapture.h"
#include "Watchdog.h"

using namespace hgl;
using hgl::test::LogCapture;
using Clock = std::chrono::steady_clock;

namespace
{
double SecondsSince(Clock::time_point t)
{
    return std::chrono::duration<double>(Clock::now() - t).count();
}

bool WaitFor(const std::function<bool()> &cond, double seconds = 60.0)
{
    const auto t = Clock::now();
    while (!cond())
    {
        if (SecondsSince(t) > seconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Ends at once; its OnEnd closes its own thread.
class Worker : public Thread
{
  public:
    std::atomic<int> end_calls{0};

    ~Worker() override { Close(); }
    bool Execute() override { return false; }
    void Ended(Thread *t)
    {
        ++end_calls;
        t->Close();
    }
};

// Runs until asked to stop, counting its passes. With use_check the loop's own
// CheckPause is its pause point; without, only the Sleep between passes is.
class Loop : public Thread
{
  public:
    const bool use_check;
    std::atomic<int> passes{0};
    std::atomic<bool> ended{false};

    explicit Loop(bool check = true) : use_check(check) {}
    ~Loop() override { Close(); }

    bool Execute() override
    {
        while (use_check ? CheckPause() : !IsStopRequested())
        {
            ++passes;
            Sleep(1);
        }
        ended = true;
        return true;
    }
};
} // namespace

TEST(Thread, ClosingFromTheWorkerItself)
{
    hgl::test::Watchdog dog("Thread.ClosingFromTheWorkerItself");
    // OnEnd closes its own thread; the object is then destroyed from outside
    // while the worker may still be winding down. Repeat to give a race a chance.
    for (int round = 0; round < 50; ++round)
    {
        auto *w = new Worker;
        w->OnEnd.Bind<&Worker::Ended>(w);
        ASSERT_TRUE(w->Start(tpNormal));
        ASSERT_TRUE(WaitFor([&] { return w->end_calls.load() == 1; }));
        ASSERT_TRUE(WaitFor([&] { return !bool(w->IsLive); }));
        delete w; // must wait for the worker's last steps, not free under it
    }
}

TEST(Thread, PausesNestAtCheckPauseAndSleep)
{
    hgl::test::Watchdog dog("Thread.PausesNestAtCheckPauseAndSleep");
    for (bool check : {true, false})
    {
        SCOPED_TRACE(check ? "CheckPause" : "Sleep");
        Loop loop(check);
        ASSERT_TRUE(loop.Start(tpNormal));
        ASSERT_TRUE(WaitFor([&] { return loop.passes > 0; }));
        EXPECT_EQ(loop.Pause(), 0);
        EXPECT_EQ(loop.Pause(), 1);
        // Let the worker reach its pause point; at most the pass under way finishes.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const int frozen = loop.passes;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_LE(loop.passes - frozen, 1);
        EXPECT_EQ(loop.Resume(), 2);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_LE(loop.passes - frozen, 1); // one Resume is not enough
        EXPECT_EQ(loop.Resume(), 1);
        const int resumed = loop.passes;
        ASSERT_TRUE(WaitFor([&] { return loop.passes > resumed + 2; }));
        EXPECT_EQ(loop.Resume(), 0); // nothing to resume
    }
}

TEST(Thread, ClosingAPausedThreadLosesNoWakeUp)
{
    hgl::test::Watchdog dog("Thread.ClosingAPausedThreadLosesNoWakeUp");
    // The stop request must reach a worker that is about to wait at its pause
    // point; a lost wake-up leaves Close joining for ever.
    for (int round = 0; round < 20; ++round)
    {
        Loop loop(round % 2 == 0);
        ASSERT_TRUE(loop.Start(tpNormal));
        ASSERT_TRUE(WaitFor([&] { return loop.passes > 0; }));
        loop.Pause();
        loop.Close();
        EXPECT_TRUE(loop.ended);
        EXPECT_FALSE(bool(loop.IsLive));
    }
}

TEST(Thread, ResumeOfARunningThreadChangesNothing)
{
    hgl::test::Watchdog dog("Thread.ResumeOfARunningThreadChangesNothing");
    Loop loop;
    ASSERT_TRUE(loop.Start(tpNormal));
    ASSERT_TRUE(WaitFor([&] { return loop.passes > 0; }));
    EXPECT_EQ(loop.Resume(), 0);
    EXPECT_EQ(loop.Resume(), 0);
    // The stray Resumes leave nothing owed: one Pause holds the thread.
    EXPECT_EQ(loop.Pause(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30)); // the pass under way ends
    const int frozen = loop.passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(loop.passes - frozen, 1);
    EXPECT_EQ(loop.Resume(), 1);
    const int resumed = loop.passes;
    EXPECT_TRUE(WaitFor([&] { return loop.passes > resumed + 2; }));
}

TEST(Semaphore, OneReleaseOfManyWakesAsManyWaiters)
{
    hgl::test::Watchdog dog("Semaphore.OneReleaseOfManyWakesAsManyWaiters");
    Semaphore sem(0, 10);
    std::atomic<int> waiting{0}, woken{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back(
            [&]
            {
                ++waiting;
                if (sem.Acquire()) ++woken;
            });
    ASSERT_TRUE(WaitFor([&] { return waiting == 3; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // all three blocked in Acquire
    EXPECT_EQ(woken, 0);
    ASSERT_TRUE(sem.Release(3));
    EXPECT_TRUE(WaitFor([&] { return woken == 3; }, 10.0)) << woken << " of 3 woke";
    while (woken < 3) // let any left behind go, one at a time, so the test can end
    {
        const int before = woken;
        sem.Release(1);
        WaitFor([&] { return woken > before; });
    }
    for (auto &t : threads)
        t.join();
    EXPECT_EQ(sem.GetCount(), 0);
}

TEST(ThreadMutex, StandardGuardsTakeIt)
{
    ThreadMutex m;
    auto held_elsewhere = [&m]
    {
        bool got = false;
        std::thread other(
            [&]
            {
                got = m.TryLock();
                if (got) m.Unlock();
            });
        other.join();
        return !got;
    };
    {
        std::lock_guard<ThreadMutex> guard(m);
        EXPECT_TRUE(held_elsewhere());
        std::unique_lock<ThreadMutex> again(m, std::try_to_lock); // recursive for its owner
        EXPECT_TRUE(again.owns_lock());
    }
    EXPECT_FALSE(held_elsewhere());
    std::unique_lock<ThreadMutex> once(m);
    once.unlock();
    EXPECT_FALSE(held_elsewhere());
}
