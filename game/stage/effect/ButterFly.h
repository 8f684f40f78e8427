#pragma once
// A butterfly crossing the screen in steps of 50 pixels, each step a straight
// flight of a fixed time, leaving a trail of small particles behind.
#include "game/stage/effect/ParticleEffect.h"

namespace hgl::ObjectEffect
{
class ButterFly : public ParticleEffect
{
  public:
    static constexpr int kTrail = 5;
    static constexpr float kStepX = 50;

    // step: the script's argument; a step takes step x 100 / 20 ms, at least 1 ms.
    // wings: the two leader pictures shown in the first and second half of a step.
    ButterFly(Texture2D *trail, Texture2D *wing1, Texture2D *wing2, int step, float screen_w, float screen_h);

    bool IsOn() const { return on; }
    int GetStepMs() const { return step_ms; }
    const Point2f &GetLeader() const { return current; }
    // The leader picture of this frame, null while none is drawn.
    Texture2D *GetWing() const { return wing; }

  protected:
    void Move() override;
    void Spawn(Particle &p) override;
    void SpawnMissing() override;
    void Render() override;

  private:
    Texture2D *wings[2];
    Texture2D *wing = nullptr;
    Point2f current, previous, target;
    int step_ms;
    uint64 step_start;
    float exit_x;
    bool on = true;
};
} // namespace hgl::ObjectEffect
