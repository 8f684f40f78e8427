// Less-used thread, lock and semaphore paths. Every wait here is bounded, and
// no result depends on how fast a loaded machine schedules the threads.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
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
constexpr double kPatience = 60.0; // seconds; only reached when something is broken

bool WaitFor(const std::function<bool()> &cond, double seconds = kPatience)
{
    const auto t = Clock::now();
    while (!cond()) {
        if (std::chrono::duration<double>(Clock::now() - t).count() > seconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Ends by itself once released (or asked to stop), reporting what it saw.
class Worker : public Thread
{
public:
    std::atomic<bool> go{false};
    std::atomic<bool> executed{false};
    std::atomic<bool> current_inside{false};
    std::atomic<int> end_calls{0};
    std::atomic<bool> end_on_worker{false};
    std::atomic<bool> close_in_end{false};
    std::atomic<bool> wait_inside_returned{false};

    ~Worker() override { Close(); }

    bool Execute() override
    {
        current_inside = bool(IsCurrentThread);
        Wait(0); // on its own thread: returns at once instead of waiting for itself
        wait_inside_returned = true;
        while (!go && !IsStopRequested()) Sleep(1);
        executed = true;
        return false; // the result is not used
    }

    void Ended(Thread *t)
    {
        ++end_calls;
        end_on_worker = (t == this) && bool(t->IsCurrentThread) && bool(t->IsLive);
        if (close_in_end) t->Close();
    }
};
} // namespace

TEST(ThreadEdge, LifecycleWithoutAndWithAThread)
{
    hgl::test::Watchdog dog("ThreadEdge.LifecycleWithoutAndWithAThread");
    Worker idle;
    // No thread: everything returns at once and nothing breaks.
    EXPECT_FALSE(bool(idle.IsLive));
    EXPECT_FALSE(bool(idle.IsCurrentThread));
    idle.Wait(0);
    idle.Wait(10);
    idle.Close();
    EXPECT_FALSE(bool(idle.IsLive));
    EXPECT_EQ(idle.end_calls, 0);

    Worker w;
    w.OnEnd.Bind<&Worker::Ended>(&w);
    ASSERT_TRUE(w.Start());   // the default priority
    EXPECT_EQ(int(w.Priority), 3);
    EXPECT_TRUE(bool(w.IsLive));
    ASSERT_TRUE(WaitFor([&] { return bool(w.wait_inside_returned); }));
    EXPECT_TRUE(w.current_inside);
    EXPECT_FALSE(bool(w.IsCurrentThread));
    w.Wait(10);               // still running: comes back without it
    EXPECT_FALSE(w.executed);
    w.go = true;
    w.Wait(0);                // returns only once Execute (and OnEnd) are done
    EXPECT_TRUE(w.executed);
    EXPECT_EQ(w.end_calls, 1);
    EXPECT_TRUE(w.end_on_worker);
    EXPECT_TRUE(bool(w.IsLive)); // the handle stays until Close
    w.Priority = tpLowest;       // the thread has ended: only stored
    EXPECT_EQ(int(w.Priority), tpLowest);
    w.Close();
    EXPECT_FALSE(bool(w.IsLive));
}

TEST(ThreadEdge, ClosingFromTheWorkerItself)
{
    hgl::test::Watchdog dog("ThreadEdge.ClosingFromTheWorkerItself");
    // OnEnd closes its own thread; the object is then destroyed from outside
    // while the worker may still be winding down. Repeat to give a race a chance.
    for (int round = 0; round < 50; ++round) {
        auto *w = new Worker;
        w->close_in_end = true;
        w->go = true;
        w->OnEnd.Bind<&Worker::Ended>(w);
        ASSERT_TRUE(w->Start(tpNormal));
        ASSERT_TRUE(WaitFor([&] { return w->end_calls.load() == 1; }));
        ASSERT_TRUE(WaitFor([&] { return !bool(w->IsLive); }));
        delete w; // must wait for the worker's last steps, not free under it
    }
}

TEST(ThreadEdge, MutexFromManyThreads)
{
    hgl::test::Watchdog dog("ThreadEdge.MutexFromManyThreads");
    ThreadMutex m;
    // WaitLock(0) on a free lock takes it; from the owner it nests.
    EXPECT_TRUE(m.WaitLock(0));
    EXPECT_TRUE(m.WaitLock(0));
    EXPECT_TRUE(m.TryLock());
    std::atomic<int> seen{-1};
    std::thread([&] { seen = m.WaitLock(0) ? 1 : 0; }).join();
    EXPECT_EQ(seen, 0);
    m.Unlock();
    m.Unlock();
    m.Unlock();

    // A counter guarded by the lock stays exact.
    int counter = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&] {
            for (int k = 0; k < 2000; ++k) {
                m.Lock();
                ++counter;
                m.Unlock();
            }
        });
    for (auto &t : threads) t.join();
    EXPECT_EQ(counter, 8000);

    // A thread holding the lock hands it over once it unlocks.
    std::atomic<bool> holding{false}, release{false};
    std::thread holder([&] {
        m.Lock();
        holding = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m.Unlock();
    });
    ASSERT_TRUE(WaitFor([&] { return bool(holding); }));
    EXPECT_FALSE(m.TryLock());
    release = true;
    EXPECT_TRUE(m.WaitLock(60000));
    m.Unlock();
    holder.join();
}

TEST(ThreadEdge, SemaphoreLimits)
{
    hgl::test::Watchdog dog("ThreadEdge.SemaphoreLimits");
    {
        LogCapture log;
        Semaphore neg(-1, 5);
        EXPECT_EQ(log.Errors(), std::vector<std::u16string>{u"CreateSemaphore error,count=-1,max=5"})
            << log.Dump();
        EXPECT_FALSE(neg.Release(1));
        EXPECT_FALSE(neg.TryAcquire());
        EXPECT_FALSE(neg.Acquire(0.0)); // no handle: fails at once, no endless wait
        EXPECT_FALSE(neg.Acquire(-1.0));
    }

    // The archive loader's shape: empty, up to 1024.
    Semaphore s(0, 1024);
    EXPECT_TRUE(s.Release(1000));
    EXPECT_FALSE(s.Release(25));   // past the maximum: refused, nothing added
    EXPECT_TRUE(s.Release(24));
    EXPECT_FALSE(s.Release(1));
    EXPECT_FALSE(s.Release(-3));
    int taken = 0;
    while (s.TryAcquire()) ++taken;
    EXPECT_EQ(taken, 1024);

    // Starting full.
    Semaphore full(2, 2);
    EXPECT_FALSE(full.Release());
    EXPECT_TRUE(full.Acquire(0.5));
    EXPECT_TRUE(full.Acquire());
    EXPECT_TRUE(full.Release());

    // Units released while waiters sleep reach every waiter.
    Semaphore q(0, 8);
    std::atomic<int> got{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i) waiters.emplace_back([&] { got += q.Acquire(kPatience) ? 1 : 0; });
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(q.Release(1));
    for (auto &t : waiters) t.join();
    EXPECT_EQ(got, 4);
    EXPECT_FALSE(q.TryAcquire());
}

namespace
{
// A worker loop in the plain style: its own stop flag, Sleep between passes,
// no explicit check point.
class Sleeper : public Thread
{
public:
    std::atomic<int> passes{0};
    std::atomic<bool> quit{false};
    ~Sleeper() override
    {
        quit = true;
        Close();
    }
    bool Execute() override
    {
        while (!quit) {
            ++passes;
            Sleep(1);
        }
        return true;
    }
};
} // namespace

TEST(ThreadEdge, SleepIsAPausePoint)
{
    hgl::test::Watchdog dog("ThreadEdge.SleepIsAPausePoint");
    Sleeper s;
    ASSERT_TRUE(s.Start(tpNormal));
    ASSERT_TRUE(WaitFor([&] { return s.passes > 2; }));
    EXPECT_EQ(s.Pause(), 0);
    EXPECT_EQ(s.Pause(), 1);
    // At most the pass under way when Pause came may still finish.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int frozen = s.passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(s.passes - frozen, 1);
    EXPECT_EQ(s.Resume(), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(s.passes - frozen, 1); // one Resume is not enough
    EXPECT_EQ(s.Resume(), 1);
    const int resumed = s.passes;
    ASSERT_TRUE(WaitFor([&] { return s.passes > resumed + 2; }));

    // Sleep on a thread that is no Thread object just sleeps.
    const auto t = Clock::now();
    Thread::Sleep(2);
    EXPECT_GE(std::chrono::duration<double>(Clock::now() - t).count(), 0.001);

    // Paused, then closed: the stop request lets the sleeper go on to its end.
    s.Pause();
    s.quit = true;
    s.Close();
    EXPECT_FALSE(bool(s.IsLive));
}
