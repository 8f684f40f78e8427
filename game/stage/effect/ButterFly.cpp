#include "game/stage/effect/ButterFly.h"

#include "graphics/texture/Texture.h"
#include "io/Time.h"

namespace hgl::ObjectEffect
{
namespace
{
constexpr float kStartX = -64;
constexpr float kWingSize = 90;
constexpr float kTrailBack = 150; // trail particles fly this far behind the leader
constexpr float kTrailDrop = 45;
constexpr float kExitMargin = 150;
constexpr int kStepScale = 100, kStepDivisor = 20;
constexpr unsigned kStepYSpread = 101;
constexpr float kStepYShift = 50;
} // namespace

ButterFly::ButterFly(Texture2D *trail, Texture2D *wing1, Texture2D *wing2, int step, float screen_w,
                     float screen_h)
    : ParticleEffect(trail, kTrail, 1.0f, 5.0f), wings{wing1, wing2}, current(kStartX, screen_h * 0.5f),
      previous(current), target(current),
      step_ms(step * kStepScale / kStepDivisor > 1 ? step * kStepScale / kStepDivisor : 1),
      step_start(GetTime()), exit_x(screen_w + kExitMargin)
{
}

void ButterFly::Move()
{
    wing = nullptr;
    if (!on) return;
    const uint64 now = GetTime();
    if (now <= step_start + uint64(step_ms))
    {
        const float f = float(now - step_start) / float(step_ms);
        current = {previous.x + (target.x - previous.x) * f, previous.y + (target.y - previous.y) * f};
        wing = wings[2 * (now - step_start) < uint64(step_ms) ? 0 : 1];
    }
    for (int i = 0; i < live; ++i)
    {
        Particle &p = particles[i];
        if (p.tx < p.x)
            JitterMove(p);
        else
            Spawn(p);
    }
}

void ButterFly::Spawn(Particle &p)
{
    p.x = current.x;
    p.y = current.y + (Rand(6) * 0.1f + 0.25f) * kWingSize;
    p.tx = current.x - kTrailBack;
    p.ty = previous.y + kTrailDrop;
    const float s = Rand(2) * 0.1f + 0.1f;
    TurnedQuad(p, texture ? texture->Width * s : 0, texture ? texture->Height * s : 0);
    p.vx = (p.tx - p.x) * (Rand(6) * 0.01f + 0.05f);
    p.vy = (p.ty - p.y) * (Rand(6) * 0.01f + 0.05f);
    p.frame = int(Rand(8));
}

void ButterFly::SpawnMissing()
{
    if (!on) return;
    ParticleEffect::SpawnMissing();
    const uint64 now = GetTime();
    if (now > step_start + uint64(step_ms))
    {
        previous = target;
        target.x += kStepX;
        target.y += Rand(kStepYSpread) - kStepYShift;
        step_start = now;
    }
    if (current.x > exit_x)
    {
        on = false;
        live = 0;
    }
}

void ButterFly::Render()
{
    if (!on) return;
    if (wing)
    {
        const Point2f corners[4] = {{current.x + kWingSize, current.y},
                                    {current.x, current.y},
                                    {current.x, current.y + kWingSize},
                                    {current.x + kWingSize, current.y + kWingSize}};
        wing->Color = Color4f(1, 1, 1, 1);
        wing->DrawQuad(corners);
    }
    ParticleEffect::Render();
}
} // namespace hgl::ObjectEffect
