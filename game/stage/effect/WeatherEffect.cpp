#include "game/stage/effect/WeatherEffect.h"

#include "graphics/gl/BlendMode.h"
#include "graphics/texture/Texture.h"
#include "graphics/vertex/DrawArray.h"

#include <cmath>

namespace hgl::WeatherEffect
{
namespace
{
constexpr float kFirstBand = 0.5f;   // the band above the area the first particles start in
constexpr float kSideStart = 0.1f;   // how far beside the area later petals start
constexpr float kPetalRows = 0.125f; // 8 frames stacked in the petal texture
constexpr int kPetalBatchDivisor = 10;
constexpr int kSunSlots = 61, kSunStep = 5, kSunLeft = 100, kSunDiagonal = 50;
constexpr float kSunBigFrom = -30; // glints between -30 and 0 are the big ones
constexpr float kSunTurn = 60;
constexpr int kSunPhaseWrap = 361, kSunRespawnPhase = 270;
constexpr float kSunPi = 3.1415925f, kSunBeat = 4.0f;
constexpr int kQuadCorners = 4;

} // namespace

// ---------------------------------------------------------------- snow

float Snow::TextureWidth() const
{
    return texture ? float(texture->Width) : 0;
}

float Snow::TextureHeight() const
{
    return texture ? float(texture->Height) : 0;
}

void Snow::Shape(Particle &p, float height_scale, unsigned vy_steps)
{
    const float s = Rand(8) * 0.1f + 0.25f;
    TurnedQuad(p, TextureWidth() * s, TextureHeight() * s * height_scale);
    p.vx = ((1.0f - s) + 0.1f) * (Rand(176) * 0.01f + 0.25f) * speed_x;
    p.vy = (Rand(vy_steps) * 0.01f + 0.75f) * speed_y;
    p.frame = int(Rand(8));
}

void Snow::Spawn(Particle &p)
{
    p.x = Between(area.left, area.Right());
    p.y = first_fill ? Between(area.top - area.height * kFirstBand, area.top) : 0;
    Shape(p, 1, 126);
}

void Snow::Move()
{
    for (int i = live - 1; i >= 0; --i)
    {
        Particle &p = particles[i];
        if (OutOfArea(p))
            Spawn(p);
        else
            JitterMove(p);
    }
}

// ---------------------------------------------------------------- sun

void Sun::Spawn(Particle &p)
{
    p.x = Rand(kSunSlots) * kSunStep - kSunLeft;
    p.y = -kSunDiagonal - p.x;
    const float s = (p.x >= 0 || p.x <= kSunBigFrom) ? Rand(3) * 0.1f + 0.25f : Rand(3) * 0.1f + 0.6f;
    const float w = texture ? texture->Width * s : 0, h = texture ? texture->Height * s : 0;
    p.quad[0] = {0, 0};
    p.quad[1] = {w, 0};
    p.quad[2] = {w, h};
    p.quad[3] = {0, h};
    for (Point2f &c : p.quad)
        c.Rotate(0, 0, kSunTurn);
    p.phase = int(Rand(kSunPhaseWrap));
    p.frame = int(Rand(8));
}

void Sun::Move()
{
    for (int i = 0; i < live; ++i)
    {
        Particle &p = particles[i];
        if (p.phase < kSunPhaseWrap)
            ++p.phase;
        else
        {
            p.phase = 0;
            p.frame = int(Rand(8));
        }
        if (p.frame % 2 == 0 && p.phase == kSunRespawnPhase) Spawn(p);
    }
}

void Sun::Render()
{
    if (!texture || count == 0) return;
    DrawArray *a = GetArray(DrawArray::Quads, count * kQuadCorners,
                            DrawArray::HasVertex | DrawArray::HasTexCoord | DrawArray::HasColor);
    if (!a->Begin(DrawArray::WriteOnly)) return;
    for (int i = 0; i < live; ++i)
    {
        const Particle &p = particles[i];
        const float alpha = (std::sin(p.phase * kSunPi / 180 * kSunBeat) + 1.0f) * 0.5f;
        a->SetTexRect(i, 0, 0, 1, 1);
        for (int c = 0; c < kQuadCorners; ++c)
        {
            a->SetColor(i * kQuadCorners + c, Color4f(1, 1, 1, alpha));
            a->SetVertex(i * kQuadCorners + c, p.quad[c].x + p.x, p.quad[c].y + p.y);
        }
    }
    a->End();
    if (live == 0) return;
    texture->Color = Color4f(1, 1, 1, 1);
    texture->Apply();
    a->Draw(0, live * kQuadCorners);
}

// ---------------------------------------------------------------- petals

void Leaf::Spawn(Particle &p)
{
    const float side = area.width * (first_fill ? kFirstBand : kSideStart);
    p.x = speed_x >= 0 ? area.left - side : area.Right() + side;
    const float band_top = area.top - area.height * kFirstBand;
    p.y = first_fill ? Between(band_top, area.top)
                     : Between(band_top, area.Bottom() - area.height * kFirstBand);
    Shape(p, kPetalRows, 26);
}

void Leaf::Move()
{
    for (int i = live - 1; i >= 0; --i)
    {
        if (OutOfArea(particles[i]))
            RemoveAt(i);
        else
            JitterMove(particles[i]);
    }
}

void Leaf::SpawnMissing()
{
    if (!spawning) return;
    for (int batch = count / kPetalBatchDivisor; batch > 0 && live < count; --batch)
        Spawn(particles[live++]);
    first_fill = false;
}

void Leaf::Render()
{
    RenderQuads(kPetalRows, Color4f(1, 1, 1, kDrawAlpha), BlendMode::Glow);
}

// ---------------------------------------------------------------- the burst

void Flower::Spawn(Particle &p)
{
    p.x = speed_x >= 0 ? area.left - area.width * kSideStart : area.Right() + area.width * kSideStart;
    p.y = area.Bottom();
    const float s = Rand(3) * 0.1f + 0.25f;
    TurnedQuad(p, TextureWidth() * s, TextureHeight() * s * kPetalRows);
    p.vx = (Rand(76) * 0.01f + 0.25f) * speed_x;
    p.vy = (Rand(26) * 0.01f + 0.75f) * speed_y;
    p.frame = int(Rand(8));
}

void Flower::Move()
{
    for (int i = live - 1; i >= 0; --i)
    {
        Particle &p = particles[i];
        const bool beside = (speed_x < 0 && p.x < area.left) || (speed_x > 0 && p.x > area.Right());
        if (p.y <= area.top && beside)
            RemoveAt(i);
        else
        {
            p.x += p.vx;
            p.y -= p.vy;
        }
    }
}

void Flower::SpawnMissing()
{
    if (on && first_fill)
    {
        while (live < count)
            Spawn(particles[live++]);
        first_fill = false;
    }
    else if (live == 0 && !first_fill)
        on = false;
}
} // namespace hgl::WeatherEffect
