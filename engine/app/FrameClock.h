#pragma once
// The time the frame loop paces itself by. The system clock really sleeps; tests
// hand the application a clock of their own whose sleeps only move its time on.

namespace hgl
{
class FrameClock
{
  public:
    virtual ~FrameClock() = default;
    virtual double Now() = 0;               // seconds from an arbitrary origin
    virtual void Sleep(double seconds) = 0; // blocks the thread; 0 or less returns at once
};

// The monotonic system clock.
class SystemFrameClock : public FrameClock
{
  public:
    double Now() override;
    void Sleep(double seconds) override;
};
} // namespace hgl
