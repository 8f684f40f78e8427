#include "app/FrameClock.h"

#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace hgl
{
double SystemFrameClock::Now()
{
    return double(platform::GetMonotonicNanoseconds()) * 1e-9;
}

void SystemFrameClock::Sleep(double seconds)
{
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
} // namespace hgl
