#pragma once
// hgl::ScaleObject<T>: T whose view (left, top, width, height) moves from one
// rectangle to another over a timed run, each draw setting it before T draws. T
// needs SetView(const float[4]) and Draw().
#include "game/stage/back/TimedRun.h"

#include <functional>
#include <utility>

namespace hgl
{
template <typename T> class ScaleObject : public T
{
    TimedRun run;
    float from_view[4] = {0, 0, 1, 1}, to_view[4] = {0, 0, 1, 1};

  public:
    // Runs once, when the move ends, with the object that finished.
    std::function<void(T *)> OnFinish;

    template <typename... A> explicit ScaleObject(A &&...args) : T(std::forward<A>(args)...) {}

    void SetScaleView(const float from[4], const float to[4])
    {
        for (int i = 0; i < 4; ++i)
        {
            from_view[i] = from[i];
            to_view[i] = to[i];
        }
    }
    void SetScaleDuration(double seconds) { run.SetDuration(seconds); }
    void StartScale(double seconds = -1) { run.Start(seconds); }
    TimedRun &GetScaleRun() { return run; }

    void Draw() override
    {
        bool finished;
        const double progress = run.Step(finished);
        float view[4];
        for (int i = 0; i < 4; ++i)
            view[i] = float(from_view[i] + (to_view[i] - from_view[i]) * progress);
        T::SetView(view);
        T::Draw();
        if (finished && OnFinish) OnFinish(this);
    }
};
} // namespace hgl
