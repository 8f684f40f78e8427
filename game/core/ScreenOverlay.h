#pragma once
// A full-screen picture over the stage: the red pulse (RED_ON) or a one-shot
// animation that shows the picture's layers one after another (ANIME). The picture
// is loaded when first drawn, so a screen without a canvas never touches GL.
#include "core/String.h"
#include "core/Types.h"

#include <memory>

namespace hgl
{
class HGP;
}

namespace avg
{
class ScreenOverlay
{
  public:
    enum Mode
    {
        Pulse,  // the whole picture, its alpha rising and falling
        Frames, // layer by layer, once
    };

    static constexpr int kPulsePeriodMs = 2000;
    static constexpr int kFrameMs = 100;

    explicit ScreenOverlay(Mode m);
    ~ScreenOverlay();

    void Start(const hgl::String &picture);
    void Stop();
    bool IsOn() const { return on; }
    const hgl::String &GetName() const { return name; }

    // Draws over the canvas; an animation that has shown its last layer goes off.
    void Draw();

  private:
    Mode mode;
    bool on = false;
    hgl::String name;
    std::unique_ptr<hgl::HGP> picture;
    hgl::uint64 started = 0;
};
} // namespace avg
