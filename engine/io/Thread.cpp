#include "io/Thread.h"

#include <chrono>
#include <cmath>
#include <system_error>

#include "core/Log.h"
#include "platform/ThreadPriority.h"

namespace hgl
{
void ThreadMutex::Lock()
{
    cs.lock();
}

bool ThreadMutex::TryLock()
{
    return cs.try_lock();
}

bool ThreadMutex::WaitLock(unsigned int timeout)
{
    return cs.try_lock_for(std::chrono::milliseconds(timeout));
}

void ThreadMutex::Unlock()
{
    cs.unlock();
}

namespace
{
// Nice values for the priorities 0..6. Going below 0 needs privileges; without
// them the thread simply stays at its current value.
constexpr int kNice[7] = {19, 10, 5, 0, -5, -10, -20};

// The Thread object whose Execute runs on this system thread, if any: lets the
// static Sleep serve as a pause check point of the worker that calls it.
thread_local Thread *current_thread = nullptr;
} // namespace

Thread::Thread()
{
    Priority.Bind<&Thread::GetPriority, &Thread::SetPriority>(this);
    IsCurrentThread.Bind<&Thread::GetIsCurrentThread>(this);
    IsLive.Bind<&Thread::GetIsLive>(this);
}

Thread::~Thread()
{
    Close();
    // Still joinable only when the object is destroyed by its own thread, which
    // cannot join itself: let the system reclaim the thread when it ends.
    if (joinable) handle.detach();
}

bool Thread::GetIsCurrentThread() const
{
    return joinable && thread_id.load() == std::this_thread::get_id();
}

void Thread::ApplyPriority()
{
    const int id = kernel_id.load();
    if (id != 0) platform::SetThreadNice(id, kNice[priority.load()]);
}

void Thread::SetPriority(ThreadPriority p)
{
    if (int(p) < tpIdle || int(p) > tpTimeCritical) return;
    priority = int(p);
    // Under the state lock: the worker gives up its kernel id under it before it
    // ends, and ids of ended threads are handed out again, so an id seen here
    // still names this object's thread and not a stranger.
    std::lock_guard<std::mutex> guard(state_lock);
    ApplyPriority();
}

void Thread::ThreadProc(Thread *thread)
{
    thread->Run();
}

void Thread::Run()
{
    thread_id = std::this_thread::get_id();
    kernel_id = platform::CurrentThreadId();
    current_thread = this;
    if (priority.load() != tpNormal) ApplyPriority();
    Execute();
    if (OnEnd) OnEnd(this);
    current_thread = nullptr;
    {
        std::lock_guard<std::mutex> guard(state_lock);
        finished = true;
        kernel_id = 0;
    }
    state_changed.notify_all();
}

bool Thread::Start(ThreadPriority p)
{
    if (started) return false;
    if (joinable)
    {
        // Closed from its own thread earlier; that thread is finishing or done.
        if (thread_id.load() == std::this_thread::get_id()) return false;
        handle.join();
        joinable = false;
    }
    if (int(p) >= tpIdle && int(p) <= tpTimeCritical) priority = int(p);
    {
        std::lock_guard<std::mutex> guard(state_lock);
        finished = false;
        pause_count = 0;
    }
    stop_requested = false;
    kernel_id = 0;
    thread_id = std::thread::id();
    started = true; // before the worker runs, so that it sees itself as live
    joinable = true;
    try
    {
        handle = std::thread(&Thread::ThreadProc, this);
    }
    catch (const std::system_error &)
    {
        // Creation failure is a result here, not an exception.
        started = false;
        joinable = false;
        return false;
    }
    return true;
}

void Thread::RequestStop()
{
    {
        // Under the lock: a worker between its check and its wait would
        // otherwise miss this wake-up and sleep for ever.
        std::lock_guard<std::mutex> guard(state_lock);
        stop_requested = true;
    }
    state_changed.notify_all();
}

void Thread::Close()
{
    if (!joinable)
    {
        started = false;
        return;
    }
    RequestStop();
    if (thread_id.load() == std::this_thread::get_id())
    {
        // Closing from inside: a thread cannot join itself. It is no longer live,
        // but stays joinable, so that whoever destroys the object first waits for
        // the rest of Run (which still touches this object) to finish.
        started = false;
        return;
    }
    handle.join();
    joinable = false;
    started = false;
}

int Thread::Pause()
{
    std::lock_guard<std::mutex> guard(state_lock);
    return pause_count++;
}

int Thread::Resume()
{
    int before;
    {
        std::lock_guard<std::mutex> guard(state_lock);
        before = pause_count;
        if (pause_count > 0) --pause_count;
    }
    state_changed.notify_all();
    return before;
}

bool Thread::CheckPause()
{
    std::unique_lock<std::mutex> guard(state_lock);
    state_changed.wait(guard, [this] { return pause_count == 0 || stop_requested.load(); });
    return !stop_requested.load();
}

bool Thread::IsFinished()
{
    std::lock_guard<std::mutex> guard(state_lock);
    return finished;
}

void Thread::Wait(unsigned int ms)
{
    if (!started || GetIsCurrentThread()) return;
    std::unique_lock<std::mutex> guard(state_lock);
    if (ms == 0)
        state_changed.wait(guard, [this] { return finished; });
    else
        state_changed.wait_for(guard, std::chrono::milliseconds(ms), [this] { return finished; });
}

void Thread::Sleep(unsigned int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    // A worker that sleeps between its passes stops here while paused, so
    // Pause works for loops that never call CheckPause themselves.
    if (Thread *self = current_thread) self->CheckPause();
}

Semaphore::Semaphore(int initial, int max)
{
    if (max < 1 || initial < 0 || initial > max)
    {
        PutError(u"CreateSemaphore error,count=%d,max=%d", initial, max);
        return;
    }
    count = initial;
    max_count = max;
    valid = true;
}

int Semaphore::GetCount()
{
    std::lock_guard<std::mutex> guard(lock);
    return count;
}

bool Semaphore::Release(int n)
{
    if (!valid || n < 1) return false;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (n > max_count - count) return false;
        count += n;
    }
    if (n == 1)
        available.notify_one();
    else
        available.notify_all();
    return true;
}

bool Semaphore::TryAcquire()
{
    if (!valid) return false;
    std::lock_guard<std::mutex> guard(lock);
    if (count == 0) return false;
    --count;
    return true;
}

bool Semaphore::Acquire(double seconds)
{
    if (!valid) return false;
    std::unique_lock<std::mutex> guard(lock);
    if (!(seconds > 0.0))
    { // 0, negative and NaN: no limit
        available.wait(guard, [this] { return count > 0; });
    }
    else
    {
        const double ms = std::floor(seconds * 1000.0);
        // Longer than a few weeks counts as no limit.
        if (ms >= 2.0e9)
        {
            available.wait(guard, [this] { return count > 0; });
        }
        else
        {
            const auto deadline =
                std::chrono::steady_clock::now() + std::chrono::milliseconds(static_cast<long long>(ms));
            if (!available.wait_until(guard, deadline, [this] { return count > 0; })) return false;
        }
    }
    --count;
    return true;
}
} // namespace hgl
