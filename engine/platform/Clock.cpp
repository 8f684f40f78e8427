#include "platform/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>
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

namespace hgl
{
namespace
{
class SystemClock : public Clock
{
  public:
    double Now() override
    {
        static const uint64_t origin = platform::GetMonotonicNanoseconds();
        return double(platform::GetMonotonicNanoseconds() - origin) * 1e-9;
    }
    void Sleep(double seconds) override
    {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
};

SystemClock system_clock;
std::atomic<Clock *> installed{nullptr};
} // namespace

Clock &GetClock()
{
    Clock *clock = installed.load(std::memory_order_acquire);
    return clock ? *clock : system_clock;
}

Clock *SetClock(Clock *clock)
{
    return installed.exchange(clock, std::memory_order_acq_rel);
}
} // namespace hgl
