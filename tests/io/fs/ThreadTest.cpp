#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

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

// Runs until asked to stop, counting its passes, honouring pauses.
class Loop : public Thread
{
public:
    std::atomic<int> passes{0};
    std::atomic<bool> ended{false};
    std::atomic<bool> on_end_on_worker{false};

    ~Loop() override { Close(); }

    bool Execute() override
    {
        while (CheckPause()) {
            ++passes;
            Sleep(1);
        }
        ended = true;
        return true;
    }

    void Ended(Thread *t)
    {
        on_end_on_worker = (t == this) && bool(t->IsCurrentThread);
    }
};

class Once : public Thread
{
public:
    std::atomic<bool> go{false};
    std::atomic<bool> done{false};
    ~Once() override { Close(); }
    bool Execute() override
    {
        while (!go && !IsStopRequested()) Sleep(1);
        done = true;
        return true;
    }
};

bool WaitFor(const std::function<bool()> &cond, double seconds = 60.0)
{
    const auto t = Clock::now();
    while (!cond()) {
        if (SecondsSince(t) > seconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
} // namespace

TEST(Thread, WaitCloseAndOnEnd)
{
    hgl::test::Watchdog dog("Thread.WaitCloseAndOnEnd");
    Once t;
    EXPECT_FALSE(bool(t.IsLive));
    t.Wait(0); // no thread: returns at once
    ASSERT_TRUE(t.Start(tpNormal));
    EXPECT_TRUE(bool(t.IsLive));
    EXPECT_FALSE(bool(t.IsCurrentThread));
    EXPECT_FALSE(t.Start(tpNormal)); // once per object

    // A bounded wait on a running thread comes back without it.
    const auto before = Clock::now();
    t.Wait(10);
    EXPECT_LT(SecondsSince(before), 30.0);
    EXPECT_FALSE(t.done);

    t.go = true;
    t.Wait(0);
    EXPECT_TRUE(t.done);
    EXPECT_TRUE(t.IsFinished());
    EXPECT_TRUE(bool(t.IsLive)); // until Close
    t.Close();
    EXPECT_FALSE(bool(t.IsLive));
    t.Close(); // harmless

    Loop loop;
    loop.OnEnd.Bind<&Loop::Ended>(&loop);
    ASSERT_TRUE(loop.Start(tpNormal));
    ASSERT_TRUE(WaitFor([&] { return loop.passes > 3; }));
    // Close asks, the worker ends its loop by itself, and is joined.
    loop.Close();
    EXPECT_TRUE(loop.ended);
    EXPECT_TRUE(loop.on_end_on_worker);
    EXPECT_FALSE(bool(loop.IsLive));
}

TEST(Thread, DestroyingARunningThreadStopsIt)
{
    hgl::test::Watchdog dog("Thread.DestroyingARunningThreadStopsIt");
    // The owner's destructor closes: the loop is asked to stop and joined, never
    // killed, so its own end-of-work code still runs.
    std::atomic<bool> ended{false};
    class Flagging : public Loop
    {
    public:
        std::atomic<bool> *flag = nullptr;
        ~Flagging() override
        {
            Close();
            *flag = bool(ended);
        }
    };
    auto *loop = new Flagging;
    loop->flag = &ended;
    ASSERT_TRUE(loop->Start(tpNormal));
    ASSERT_TRUE(WaitFor([&] { return loop->passes > 0; }));
    delete loop;
    EXPECT_TRUE(ended);
}

TEST(Thread, PausesNest)
{
    hgl::test::Watchdog dog("Thread.PausesNest");
    Loop loop;
    ASSERT_TRUE(loop.Start(tpNormal));
    ASSERT_TRUE(WaitFor([&] { return loop.passes > 0; }));
    EXPECT_EQ(loop.Pause(), 0);
    EXPECT_EQ(loop.Pause(), 1);
    // Let the worker reach its check point, then it must stand still.
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int frozen = loop.passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(loop.passes - frozen, 1);
    EXPECT_EQ(loop.Resume(), 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const int still = loop.passes;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_LE(loop.passes - still, 1); // one Resume is not enough
    EXPECT_EQ(loop.Resume(), 1);
    ASSERT_TRUE(WaitFor([&] { return loop.passes > still + 3; }));
    EXPECT_EQ(loop.Resume(), 0); // nothing to resume
    // Close also releases a paused thread.
    loop.Pause();
    loop.Close();
    EXPECT_TRUE(loop.ended);
}

TEST(Thread, Priority)
{
    hgl::test::Watchdog dog("Thread.Priority");
    Once t;
    EXPECT_EQ(ThreadPriority(t.Priority), tpNormal);
    t.Priority = tpBelowNormal; // before Start: only stored
    EXPECT_EQ(ThreadPriority(t.Priority), tpBelowNormal);
    t.Priority = ThreadPriority(9); // outside 0..6: ignored
    EXPECT_EQ(ThreadPriority(t.Priority), tpBelowNormal);
    ASSERT_TRUE(t.Start(tpLowest)); // Start applies what it is given
    EXPECT_EQ(ThreadPriority(t.Priority), tpLowest);
    t.SetPriority(tpTimeCritical); // may lack the privilege: stored anyway, no failure
    EXPECT_EQ(ThreadPriority(t.Priority), tpTimeCritical);
    t.go = true;
    t.Close();
    EXPECT_TRUE(t.done);

    // Priorities are plain ints 0..6.
    Once u;
    u.Priority = 5;
    EXPECT_EQ(int(u.Priority), 5);
    u.Priority = -1;
    EXPECT_EQ(int(u.Priority), 5);
    ASSERT_TRUE(u.Start(2));
    EXPECT_EQ(int(u.Priority), 2);
    u.go = true;
    u.Wait(0);
    EXPECT_TRUE(u.done);
    EXPECT_TRUE(u.IsLive); // until Close
    u.Close();
    EXPECT_FALSE(u.IsLive);
}

TEST(Mutex, TryLockAndWaitLock)
{
    hgl::test::Watchdog dog("Mutex.TryLockAndWaitLock");
    ThreadMutex m;
    m.Lock();
    EXPECT_TRUE(m.TryLock()); // the owner enters again
    std::atomic<int> other{-1};
    std::thread([&] { other = m.TryLock() ? 1 : 0; }).join();
    EXPECT_EQ(other, 0);

    const auto before = Clock::now();
    std::atomic<bool> waited_result{true};
    std::atomic<double> waited{0};
    std::thread([&] {
        const auto t = Clock::now();
        waited_result = m.WaitLock(100);
        waited = SecondsSince(t);
    }).join();
    EXPECT_FALSE(waited_result);
    EXPECT_GE(waited.load(), 0.09);
    EXPECT_LT(SecondsSince(before), 30.0);

    m.Unlock();
    m.Unlock();
    std::thread([&] {
        other = m.WaitLock(1000) ? 1 : 0;
        if (other == 1) m.Unlock();
    }).join();
    EXPECT_EQ(other, 1);
}

TEST(Semaphore, CountsAndWaits)
{
    hgl::test::Watchdog dog("Semaphore.CountsAndWaits");
    Semaphore s(0, 2);
    ASSERT_TRUE(s.IsValid());
    EXPECT_FALSE(s.TryAcquire());
    EXPECT_TRUE(s.Release(1));
    EXPECT_TRUE(s.Release(1));
    EXPECT_FALSE(s.Release(1)); // the maximum holds
    EXPECT_FALSE(s.Release(0));
    EXPECT_EQ(s.GetCount(), 2);
    EXPECT_TRUE(s.TryAcquire());
    EXPECT_TRUE(s.Acquire(0.5));
    EXPECT_FALSE(s.TryAcquire());
    EXPECT_FALSE(s.Release(3));

    // A timed wait on an empty semaphore gives up after about that long.
    const auto t = Clock::now();
    EXPECT_FALSE(s.Acquire(0.5));
    const double took = SecondsSince(t);
    EXPECT_GE(took, 0.45);
    EXPECT_LT(took, 30.0);

    // 0, negative and NaN wait until a unit comes.
    for (double secs : {0.0, -1.0, std::nan("")}) {
        std::atomic<bool> got{false};
        std::thread waiter([&] { got = s.Acquire(secs); });
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(got);
        EXPECT_TRUE(s.Release(1));
        waiter.join();
        EXPECT_TRUE(got);
    }
    EXPECT_EQ(s.GetCount(), 0);

    // Several waiters, several units at once.
    std::atomic<int> woken{0};
    std::thread a([&] { woken += s.Acquire(60.0); }), b([&] { woken += s.Acquire(60.0); });
    EXPECT_TRUE(s.Release(2));
    a.join();
    b.join();
    EXPECT_EQ(woken, 2);
}

TEST(Semaphore, BadLimits)
{
    hgl::test::Watchdog dog("Semaphore.BadLimits");
    LogCapture log;
    Semaphore s(5, 2);
    EXPECT_FALSE(s.IsValid());
    EXPECT_TRUE(log.ContainsError(u"CreateSemaphore error,count=5,max=2")) << log.Dump();
    EXPECT_FALSE(s.Release(1));
    EXPECT_FALSE(s.TryAcquire());
    EXPECT_FALSE(s.Acquire(0.01));
    Semaphore z(0, 0);
    EXPECT_FALSE(z.IsValid());
}
