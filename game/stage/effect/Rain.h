#pragma once
// Rain: drops are coloured lines, pale blue and clear at the top, white at the
// bottom. A stopped rain makes no more drops; those in flight fall out.
#include "game/stage/effect/ParticleEffect.h"

namespace hgl::WeatherEffect
{
class Rain1 : public ParticleEffect
{
  public:
    static constexpr int kSpawnDivisor = 20;

    Rain1(int drops, float length, float wind, float speed, float extra);

    void Stop() { count = 0; }
    // Stopped and every drop gone.
    bool IsDrained() const { return count == 0 && live == 0; }

  protected:
    void Move() override;
    void Spawn(Particle &p) override;
    void SpawnMissing() override;
    void Render() override;

  private:
    float length, extra;
};
} // namespace hgl::WeatherEffect
