#pragma once
// A layered picture drawn into a rectangle of the screen in one of two animated
// ways: its layers played one after another as frames, or the whole picture
// pulsing in and out. Its owner calls one of the two drawings once a frame.
#include "core/Point.h"
#include "core/String.h"

#include <memory>

namespace hgl
{
class HGP;
}

class SamPic
{
  public:
    static constexpr int kTicksPerFrame = 10;
    static constexpr int kPulseWrap = 360;

    SamPic();
    virtual ~SamPic();

    // Loads the picture (on a fresh object) and sets the rectangle.
    void Load(const hgl::String &name, float left, float top, float width, float height);
    // Replaces the picture; the animation starts again.
    void SetImage(const hgl::String &name, float left, float top, float width, float height);
    virtual void SetAlpha(float a) { alpha = a; }

    // Endless blinking; always true.
    virtual bool DrawPulse();
    // One layer per 10 frames; false once after the last layer, drawing nothing,
    // and the next call starts again at layer 0.
    virtual bool DrawFrames();

    int GetFrameCount() const { return frame_count; }
    int GetTick() const { return tick; }
    // The pulse's alpha at a tick.
    static float PulseAlpha(int tick);

  private:
    int frame_count = 0;
    std::unique_ptr<hgl::HGP> picture;
    float alpha = 1.0f;
    float left = 0, top = 0, width = 0, height = 0;
    int tick = 0;
    int ticks_per_frame = kTicksPerFrame;

    void Corners(hgl::Point2f out[4]) const;
};
