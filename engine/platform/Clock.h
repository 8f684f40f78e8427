#pragma once
// The system's monotonic clock, and the process-wide clock everything that paces
// or measures time reads: the frame loop, the engine's elapsed-time clocks and the
// movies. Tours and tests install a clock of their own that moves only when told.
#include <cstdint>

namespace hgl::platform
{
// Microseconds on the monotonic clock since an unspecified fixed origin (system boot).
// Never goes back when the wall clock is changed.
uint64_t GetMonotonicMicroseconds();

// The same clock in nanoseconds, for finer elapsed-time measurement.
uint64_t GetMonotonicNanoseconds();
} // namespace hgl::platform

namespace hgl
{
class Clock
{
  public:
    virtual ~Clock() = default;
    virtual double Now() = 0;               // seconds from the clock's origin, never negative
    virtual void Sleep(double seconds) = 0; // 0 or less returns at once
};

// The clock installed, or the system clock: the monotonic clock counted from its
// first reading, whose sleeps block the calling thread.
Clock &GetClock();
// Installs a clock for the whole process and returns the one it replaces (null
// for the system clock); null puts the system clock back. The clock is read from
// every thread, so it must outlive its installation.
Clock *SetClock(Clock *clock);
} // namespace hgl
