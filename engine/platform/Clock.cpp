#include "platform/Clock.h"

#include <time.h>

namespace hgl::platform
{
uint64_t GetMonotonicNanoseconds()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000ull + uint64_t(ts.tv_nsec);
}

uint64_t GetMonotonicMicroseconds()
{
    return GetMonotonicNanoseconds() / 1000ull;
}
} // namespace hgl::platform
