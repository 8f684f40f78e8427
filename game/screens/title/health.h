#pragma once
// The health notice of the first start: a full-screen picture that fades in from
// black, stays, and fades back to black, counting the time of the frames drawn.
// Then the logo movie takes its place; when the movie is over the title below
// comes back. Neither the notice nor the logo can be skipped.
#include "core/Types.h"
#include "framework/FlowObject.h"

namespace hgl
{
class HGP;
}

namespace avg
{
struct GameWiring;
}

class health : public hgl::FlowObject
{
    const avg::GameWiring &wiring; // makes the logo movie
    hgl::HGP *picture;             // "StartMenu\jkgg.HGP", held by the object control
    bool movie_started = false;
    bool timing = false;       // a frame was drawn, so the next one can be timed
    hgl::uint32 last_time = 0; // low 32 bits of the engine time at the previous frame
    hgl::uint32 elapsed = 0;   // milliseconds counted
    float overlay = 1;         // alpha of the black over the picture
    bool fading_in = true;     // until the overlay has reached 0

  public:
    // A frame this long or longer counts as this long, so that a slow machine
    // still gets past the notice while its slow frames stretch it.
    static constexpr hgl::uint32 kLongestFrameMs = 100;
    static constexpr hgl::uint32 kFadeInAfterMs = 1000;
    static constexpr hgl::uint32 kFadeOutAfterMs = 3000;
    static constexpr float kFadeStep = 0.01f;

    explicit health(const avg::GameWiring &wiring);
    ~health() override;

    void Draw() override;
    void ProcReturn(hgl::FlowObject *) override {}

    hgl::uint32 GetElapsed() const { return elapsed; }
    float GetOverlay() const { return overlay; }
    bool IsMovieStarted() const { return movie_started; }
};
