#pragma once
// The weather over the stage: snow, sun glints, falling petals, and the petal burst
// of the message window.
#include "game/stage/effect/ParticleEffect.h"

namespace hgl::WeatherEffect
{
class Snow : public ParticleEffect
{
  public:
    using ParticleEffect::ParticleEffect;

  protected:
    void Move() override;
    void Spawn(Particle &p) override;
    // The size factor, the quad and the velocities every falling flake shares.
    void Shape(Particle &p, float height_scale, unsigned vy_steps);
    float TextureWidth() const;
    float TextureHeight() const;
};

class Sun : public ParticleEffect
{
  public:
    using ParticleEffect::ParticleEffect;

  protected:
    void Move() override;
    void Spawn(Particle &p) override;
    void Render() override;
};

// Petals falling across the stage; each quad shows one of the 8 frames stacked in
// the texture.
class Leaf : public Snow
{
  public:
    using Snow::Snow;

  protected:
    void Move() override;
    void Spawn(Particle &p) override;
    void SpawnMissing() override;
    void Render() override;
};

// Petals rising from the bottom of the area once, then gone.
class Flower : public Leaf
{
  public:
    using Leaf::Leaf;

    void Start() { on = true; }
    void Stop() { on = false; }
    bool IsOn() const { return on; }

  protected:
    bool on = false;

    void Move() override;
    void Spawn(Particle &p) override;
    void SpawnMissing() override;
};
} // namespace hgl::WeatherEffect
