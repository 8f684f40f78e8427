#pragma once
// The soft light balls of the title: each rises from below the bottom edge,
// pulses in and out, and once it has faded out in the upper half is reborn below
// with new random values. The title draws them between the layers of its
// background, so a ball only moves while it is drawn.
#include "core/Types.h"

#include <memory>
#include <vector>

namespace hgl
{
class Texture2D;
}

class VamUnit
{
    std::unique_ptr<hgl::Texture2D> texture; // "StartMenu\ball.TEX", one per ball
    float size = 0;                          // half the side of the square, pixels
    float x = 0, y = 0;                      // centre, canvas pixels
    hgl::int64 last_time;                    // engine time of this ball's previous frame
    float alpha = 0;
    float speed = 0;
    bool fading_in = false;

  public:
    // A frame coming more than this long after the previous one moves nothing.
    static constexpr hgl::int64 kMaxFrameMs = 100;
    static constexpr float kPulseStep = 0.005f;
    // Faded down to this in the upper half of the screen, a ball is reborn.
    static constexpr float kGoneAlpha = 0.01f;

    VamUnit();
    ~VamUnit();
    VamUnit(const VamUnit &) = delete;
    VamUnit &operator=(const VamUnit &) = delete;

    // Takes the three values given and draws the pulse direction, the alpha and a
    // start below the bottom edge at random.
    void Reset(float size, float speed, float x);
    // Draws the ball and moves it on one frame; nothing after a long pause.
    void Frame();
    bool IsFinished() const;

    float GetSize() const { return size; }
    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetAlpha() const { return alpha; }
    float GetSpeed() const { return speed; }
    bool IsFadingIn() const { return fading_in; }
    bool HasTexture() const { return texture != nullptr; }
};

class VamUnitManage
{
    int count;
    std::vector<std::unique_ptr<VamUnit>> balls;

    void ResetOne(VamUnit &ball);

  public:
    explicit VamUnitManage(int count);
    ~VamUnitManage();
    VamUnitManage(const VamUnitManage &) = delete;
    VamUnitManage &operator=(const VamUnitManage &) = delete;

    // One frame of every ball, the last first; a finished ball is reborn at once.
    void Update();
    // New random values for every ball, the last first.
    void ResetAll();

    int GetCount() const { return count; }
    VamUnit *GetBall(int index) const;
};
