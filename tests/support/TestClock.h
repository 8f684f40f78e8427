#pragma once
// The process-wide clock for as long as the object lives: time stands still until
// the test moves it on, or something sleeps on it (a sleep returns at once with the
// time moved on by what it asked for). The clock it replaced comes back after it.
// Counted in whole nanoseconds, so times sum without rounding.
#include "platform/Clock.h"

#include <atomic>
#include <cmath>
#include <cstdint>

namespace hgl::test
{
class TestClock : public hgl::Clock
{
    std::atomic<uint64_t> ns;
    std::atomic<uint64_t> slept_ns{0};
    hgl::Clock *previous;

  public:
    explicit TestClock(uint64_t start_ns = 0) : ns(start_ns), previous(hgl::SetClock(this)) {}
    ~TestClock() override { hgl::SetClock(previous); }
    TestClock(const TestClock &) = delete;
    TestClock &operator=(const TestClock &) = delete;

    double Now() override { return double(ns.load()) * 1e-9; }
    void Sleep(double seconds) override
    {
        if (seconds <= 0) return;
        const uint64_t step = uint64_t(std::llround(seconds * 1e9));
        ns += step;
        slept_ns += step;
    }

    uint64_t Nanoseconds() const { return ns.load(); }
    void SetNanoseconds(uint64_t at) { ns = at; }
    void SetSeconds(double at) { ns = uint64_t(std::llround(at * 1e9)); }
    void AdvanceNs(uint64_t step) { ns += step; }
    void AdvanceMs(uint64_t ms) { ns += ms * 1000000u; }
    void Advance(double seconds) { ns += uint64_t(std::llround(seconds * 1e9)); }
    // The time spent sleeping on it, in seconds.
    double Slept() const { return double(slept_ns.load()) * 1e-9; }
};
} // namespace hgl::test
