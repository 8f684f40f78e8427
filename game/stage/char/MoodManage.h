#pragma once
// One short animated overlay per sprite slot (a sweat drop, a heart...), played
// once frame by frame at the pace of the mood-speed flag and then dropped.
#include "core/String.h"
#include "core/Types.h"

#include <array>
#include <memory>

namespace hgl
{
class DevilEngine;
class HGP;
} // namespace hgl

namespace avg
{
class MoodManage
{
  public:
    static constexpr int kSlots = 6;

    explicit MoodManage(hgl::DevilEngine *engine);
    ~MoodManage();

    void SetMood(int slot, const hgl::u16char *name, float x, float y);
    // Measures the frame time: once per frame, before the slots draw.
    void BeginFrame();
    // The slot's current frame where "SetMood" put it, at the canvas's scale.
    void Draw(int slot, float alpha);

    bool HasMood(int slot) const { return bool(moods[slot]); }
    int GetFrame(int slot) const { return frame[slot]; }

  private:
    std::array<std::unique_ptr<hgl::HGP>, kSlots> moods;
    std::array<float, kSlots> x, y;
    std::array<int, kSlots> frame{};
    std::array<hgl::uint64, kSlots> gathered{};
    hgl::uint64 last = 0, elapsed = 0;
};
} // namespace avg
