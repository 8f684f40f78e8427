#pragma once
// A picture shown centred over the screen below for 1.5 seconds of counted time,
// then gone; it takes no input. A frame that comes 100 ms or more after the one
// before counts as 100 ms, so that a slow machine still gets past it; the very
// first frame only starts the clock and shows nothing.
#include "core/Types.h"
#include "framework/FlowObject.h"

namespace hgl
{
class HGP;
}

class CHint : public hgl::FlowObject
{
    hgl::HGP *picture; // a child of the object control
    bool started = false;
    hgl::uint64 last_time = 0;
    hgl::int64 elapsed = 0;

  public:
    static constexpr hgl::int64 kShowMs = 1500, kLongestFrameMs = 100;

    // A picture of "Data.hac".
    explicit CHint(const hgl::u16char *picture_name);
    ~CHint() override = default;

    hgl::int64 GetElapsed() const { return elapsed; }

    void Draw() override;
};
