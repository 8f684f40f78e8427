#pragma once
// hgl::FadeObject<T>: T whose alpha moves from one value to another over a timed
// run, each draw setting it before T draws. T needs a virtual SetAlpha(float) and
// Draw(). Wrappers nest: ScaleObject<FadeObject<T>> moves view and alpha together.
#include "game/stage/back/TimedRun.h"

#include <functional>
#include <utility>

namespace hgl
{
template <typename T> class FadeObject : public T
{
    TimedRun run;
    double from_alpha = 0, to_alpha = 1, diff = 1;

  public:
    // Runs once, when the fade ends, with the object that finished.
    std::function<void(T *)> OnFinish;

    template <typename... A> explicit FadeObject(A &&...args) : T(std::forward<A>(args)...) {}

    void SetFadeAlpha(double from, double to)
    {
        from_alpha = from;
        to_alpha = to;
        diff = to - from;
    }
    void SetFadeDuration(double seconds) { run.SetDuration(seconds); }
    void StartFade(double seconds = -1) { run.Start(seconds); }
    TimedRun &GetFadeRun() { return run; }

    void Draw() override
    {
        bool finished;
        const double progress = run.Step(finished);
        T::SetAlpha(float(from_alpha + diff * progress));
        T::Draw();
        if (finished && OnFinish) OnFinish(this);
    }
};
} // namespace hgl
