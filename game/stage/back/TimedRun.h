#pragma once
// The timing shared by the fade and scale wrappers: a run from a start time over a
// duration in seconds on the engine's clock. A run not started explicitly starts
// at its first step, which always shows the from-value; a run of duration 0 shows
// it for that one step and ends at the next.
#include "io/Time.h"

namespace hgl
{
class TimedRun
{
    double start = 0, end = 0, duration = 0;
    bool started = false;
    bool running = true;

  public:
    // Starts now; a negative duration keeps the stored one.
    void Start(double seconds)
    {
        if (seconds >= 0) duration = seconds;
        start = GetDoubleTime();
        end = start + duration;
        started = true;
        running = true;
    }

    // Keeps the start for the first step.
    void SetDuration(double seconds) { duration = seconds; }
    double GetDuration() const { return duration; }
    bool IsRunning() const { return running; }

    // The progress 0..1 of this step; finished is set by the step that ends it.
    double Step(bool &finished)
    {
        finished = false;
        if (!started)
        {
            Start(-1);
            return running ? 0 : 1;
        }
        if (!running) return 1;
        const double now = GetDoubleTime();
        if (now < end && duration != 0) return (now - start) / duration;
        running = false;
        finished = true;
        return 1;
    }
};
} // namespace hgl
