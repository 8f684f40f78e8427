#pragma once
// The pulsing selection frame of the album screens: four corner pieces of one
// texture around the focused entry. The rectangle breathes by half a canvas pixel
// at each side per frame, 16 frames out and 16 frames in.
#include "core/RectScope.h"

namespace hgl
{
class Texture2D;
}

namespace avg
{
class AlbumFrame
{
  public:
    static constexpr int kPulseFrames = 15;
    // Corner pieces on the 1600 x 1200 design canvas.
    static constexpr float kCornerW = 57, kCornerH = 43;

  private:
    hgl::RectScope2<float> rect;
    bool shrinking = false;
    int counter = 0;

  public:
    // Moves the frame onto an entry and starts a growing phase.
    void Place(float left, float top, float width, float height);
    // One frame of the breathing.
    void Pulse();
    // The four corners around the rectangle, reaching out the given canvas distances
    // on each side, corners of cw x ch canvas pixels, the texture at that alpha.
    void Draw(hgl::Texture2D *texture, float alpha, float out_left, float out_top, float out_right,
              float out_bottom, float cw, float ch) const;

    const hgl::RectScope2<float> &GetRect() const { return rect; }
    bool IsShrinking() const { return shrinking; }
    int GetCounter() const { return counter; }
};
} // namespace avg
