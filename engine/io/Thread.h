#pragma once
// The engine's thread primitives: a recursive lock, a thread object whose
// Execute runs on its own system thread, and a counting semaphore.
//
// A thread is never killed or suspended from outside. Close asks it to stop and
// joins it; Pause and Resume are honoured where the worker calls CheckPause (or
// Sleep, which checks after sleeping). So an Execute that runs for long must
// poll IsStopRequested (or CheckPause) and return when asked. Derived classes
// whose Execute uses their own members call Close in their destructor, before
// those members go away.
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/BoundMethod.h"
#include "core/Object.h"
#include "core/Property.h"
#include "core/Types.h"

namespace hgl
{
class ThreadMutex
{
    std::recursive_timed_mutex cs;

  public:
    ThreadMutex() = default;
    ThreadMutex(const ThreadMutex &) = delete;
    ThreadMutex &operator=(const ThreadMutex &) = delete;
    virtual ~ThreadMutex() = default;

    // Recursive for the owning thread: each Lock (or successful TryLock/WaitLock)
    // needs its Unlock.
    virtual void Lock();
    virtual bool TryLock();
    // Waits at most timeout milliseconds.
    virtual bool WaitLock(unsigned int timeout);
    virtual void Unlock();

    // The standard names, so std::lock_guard and std::unique_lock take it directly.
    void lock() { Lock(); }
    bool try_lock() { return TryLock(); }
    void unlock() { Unlock(); }
};

// A thread priority is a plain int, 0..6 (3 is normal); these name the values.
using ThreadPriority = int;

enum ThreadPriorityValue : int
{
    tpIdle = 0,
    tpLowest,
    tpBelowNormal,
    tpNormal,
    tpAboveNormal,
    tpHighest,
    tpTimeCritical,
};

class Thread : public ThreadMutex
{
    std::thread handle;
    std::atomic<bool> started{false};  // a handle is held: set by Start, cleared by Close
    std::atomic<bool> joinable{false}; // the system thread is not joined yet

    std::mutex state_lock;
    std::condition_variable state_changed;
    bool finished = false; // Execute and OnEnd have returned
    int pause_count = 0;
    std::atomic<bool> stop_requested{false};

    std::atomic<int> priority{tpNormal};
    std::atomic<int> kernel_id{0};
    std::atomic<std::thread::id> thread_id{};

    void ApplyPriority();
    void Run();

    ThreadPriority GetPriority() const { return ThreadPriority(priority.load()); }
    bool GetIsCurrentThread() const;
    bool GetIsLive() const { return started; }

  public:
    Property<ThreadPriority> Priority; // write: SetPriority
    Property<bool> IsCurrentThread;    // the caller runs on this object's thread
    Property<bool> IsLive;             // started and not yet closed

    // Called on the worker thread after Execute returns.
    BoundMethod<void(Thread *)> OnEnd;

    Thread();
    ~Thread() override; // Close

    // The thread's work; its result is not used.
    virtual bool Execute() = 0;

    // Starts the system thread once per object; false when it could not be made.
    virtual bool Start(ThreadPriority p = tpNormal);
    // Asks the thread to stop, lets a paused thread go on, and joins it. Called
    // on the thread itself (from Execute or OnEnd) it cannot join: the handle is
    // given up (IsLive turns false) and the next Close from another thread, the
    // destructor's at the latest, joins the thread's last steps. So the object
    // must not be destroyed by its own thread.
    virtual void Close();
    // Cooperative: the worker stops at its next CheckPause. Pauses nest; each
    // returns the count before the call.
    virtual int Pause();
    virtual int Resume();
    // Waits for Execute (and OnEnd) to return, at most ms milliseconds; 0 without limit.
    virtual void Wait(unsigned int ms = 0);

    // Best effort (nice values); values outside 0..6 are ignored.
    void SetPriority(ThreadPriority p);

    // For the worker: true once Close was called (or RequestStop).
    bool IsStopRequested() const { return stop_requested.load(); }
    void RequestStop();
    // For the worker: blocks while paused. False when the thread should stop.
    // Sleep, called on a worker thread, ends with this check as well.
    bool CheckPause();
    // True once Execute and OnEnd have returned.
    bool IsFinished();

    static void Sleep(unsigned int ms);

    // The system start routine: Execute once, then OnEnd.
    static void ThreadProc(Thread *thread);
};

class Semaphore : public _Object
{
    std::mutex lock;
    std::condition_variable available;
    int count = 0;
    int max_count = 0;
    bool valid = false;

  public:
    // Failure (count outside 0..max, max < 1) logs
    // "CreateSemaphore error,count=%d,max=%d" and leaves every operation failing.
    Semaphore(int count, int max);
    ~Semaphore() override = default;

    bool IsValid() const { return valid; }
    int GetCount();

    // Adds n units; false (nothing added) when n < 1 or the maximum would be passed.
    virtual bool Release(int n = 1);
    virtual bool TryAcquire();
    // seconds > 0: waits at most that long (in whole milliseconds); 0, negative or
    // NaN: waits without limit. True when a unit was taken.
    virtual bool Acquire(double seconds = 0.0);
};
} // namespace hgl
