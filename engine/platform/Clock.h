#pragma once
// The system's monotonic clock. Never goes back when the wall clock is changed.
#include <cstdint>

namespace hgl::platform
{
// Microseconds on the monotonic clock since an unspecified fixed origin (system boot).
uint64_t GetMonotonicMicroseconds();

// The same clock in nanoseconds, for finer elapsed-time measurement.
uint64_t GetMonotonicNanoseconds();
} // namespace hgl::platform
