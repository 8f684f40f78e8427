#include "game/stage/effect/Rain.h"

#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/vertex/DrawArray.h"

namespace hgl::WeatherEffect
{
namespace
{
const Color4f kUpper(0.5f, 0.75f, 1.0f, 0);
const Color4f kLower(1, 1, 1, 0.75f);
constexpr float kExtraSpread = 1.25f;
constexpr float kFirstDrop = 0.5f;
constexpr float kLineWidth = 1.0f;
} // namespace

Rain1::Rain1(int drops, float length_, float wind, float speed, float extra_)
    : ParticleEffect(nullptr, drops, wind, speed), length(length_), extra(extra_)
{
}

void Rain1::Spawn(Particle &p)
{
    p.x = Between(area.left, area.Right());
    const float k = Between(0, extra * kExtraSpread);
    p.y = (first_fill ? area.top - area.top * kFirstDrop : area.top) - length - k;
    p.vx = (Rand(50) * 0.001f + 0.975f) * speed_x;
    p.vy = (Rand(21) * 0.01f + 0.9f) * speed_y + extra * (Rand(101) * 0.01f + 0.5f);
    p.tx = p.x + p.vx;
    p.ty = p.y + (Rand(101) * 0.01f + 0.5f) * length;
}

void Rain1::Move()
{
    for (int i = live - 1; i >= 0; --i)
    {
        Particle &p = particles[i];
        if (p.y < area.Bottom())
        {
            p.x += p.vx;
            p.y += p.vy;
            p.tx += p.vx;
            p.ty += p.vy;
        }
        else
            RemoveAt(i);
    }
}

void Rain1::SpawnMissing()
{
    for (int batch = count / kSpawnDivisor; batch > 0 && live < count; --batch)
        Spawn(particles[live++]);
    first_fill = false;
}

void Rain1::Render()
{
    const int drops = int(particles.size());
    if (drops == 0) return;
    DrawArray *a = GetArray(DrawArray::Lines, drops * 2, DrawArray::HasVertex | DrawArray::HasColor);
    if (!a->Begin(DrawArray::WriteOnly)) return;
    for (int i = 0; i < live; ++i)
    {
        const Particle &p = particles[i];
        a->SetVertex(i * 2, p.x, p.y);
        a->SetColor(i * 2, kUpper);
        a->SetVertex(i * 2 + 1, p.tx, p.ty);
        a->SetColor(i * 2 + 1, kLower);
    }
    a->End();
    if (live == 0) return;
    draw::SetLineSmooth(true);
    draw::SetLineWidth(kLineWidth);
    draw::SetBlend(BlendMode::Normal);
    draw::NoTexture();
    a->Draw(0, live * 2);
}
} // namespace hgl::WeatherEffect
