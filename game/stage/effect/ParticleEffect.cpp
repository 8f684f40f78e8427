#include "game/stage/effect/ParticleEffect.h"

#include "core/Random.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "graphics/vertex/DrawArray.h"

#include <cmath>

namespace hgl
{
namespace
{
constexpr unsigned kAngleSteps = 360001;
constexpr float kAngleUnit = 0.001f;
constexpr int kQuadCorners = 4;
constexpr int kFramesPerRow = 4;
} // namespace

ParticleEffect::ParticleEffect(Texture2D *texture_, int count_, float sx, float sy)
    : texture(texture_), particles(size_t(count_ > 0 ? count_ : 0)), count(count_ > 0 ? count_ : 0),
      speed_x(sx), speed_y(sy)
{
}

ParticleEffect::~ParticleEffect() = default;

void ParticleEffect::SetArea(float left, float top, float width, float height)
{
    area = {left, top, width, height};
}

void ParticleEffect::Draw()
{
    Move();
    if (GetCanvasWidth() > 0) Render();
    AdvanceFrames();
    SpawnMissing();
}

void ParticleEffect::Step()
{
    Move();
    AdvanceFrames();
    SpawnMissing();
}

void ParticleEffect::AdvanceFrames()
{
    for (int i = 0; i < live; ++i)
        particles[i].frame = (particles[i].frame + 1) % kFrameWrap;
}

void ParticleEffect::SpawnMissing()
{
    if (!spawning) return;
    while (live < count)
        Spawn(particles[live++]);
    first_fill = false;
}

float ParticleEffect::Rand(unsigned n)
{
    return float(RandomU32() % n);
}

float ParticleEffect::Between(float a, float b)
{
    const long ia = long(a), ib = long(b);
    const long low = ia < ib ? ia : ib;
    return float(low + long(RandomU32() % unsigned(std::labs(ib - ia) + 1)));
}

void ParticleEffect::TurnedQuad(Particle &p, float w, float h)
{
    const double angle = Rand(kAngleSteps) * kAngleUnit;
    p.quad[0] = {0, 0};
    p.quad[1] = {w, 0};
    p.quad[2] = {w, h};
    p.quad[3] = {0, h};
    for (Point2f &c : p.quad)
        c.Rotate(w / 2, h / 2, angle);
}

void ParticleEffect::JitterMove(Particle &p)
{
    p.x += (Rand(101) * 0.01f + 0.5f) * p.vx;
    p.y += (Rand(51) * 0.01f + 0.5f) * p.vy;
}

bool ParticleEffect::OutOfArea(const Particle &p) const
{
    return p.y >= area.Bottom() || (speed_x < 0 && p.x < area.left) || (speed_x > 0 && p.x > area.Right());
}

void ParticleEffect::RemoveAt(int i)
{
    particles[i] = particles[--live];
}

DrawArray *ParticleEffect::GetArray(unsigned int primitive, int vertices, unsigned int format)
{
    if (!array) array = std::make_unique<DrawArray>(DrawArray::StreamDraw, primitive, vertices, format);
    return array.get();
}

void ParticleEffect::Render()
{
    RenderQuads(1, Color4f(1, 1, 1, kDrawAlpha), BlendMode::Glow);
}

void ParticleEffect::RenderQuads(float row_height, const Color4f &colour, int blend)
{
    if (!texture || count == 0) return;
    DrawArray *a =
        GetArray(DrawArray::Quads, count * kQuadCorners, DrawArray::HasVertex | DrawArray::HasTexCoord);
    if (!a->Begin(DrawArray::WriteOnly)) return;
    for (int i = 0; i < live; ++i)
    {
        const Particle &p = particles[i];
        const float row = row_height < 1 ? float(p.frame / kFramesPerRow) * row_height : 0;
        a->SetTexRect(i, 0, row, 1, row_height);
        for (int c = 0; c < kQuadCorners; ++c)
            a->SetVertex(i * kQuadCorners + c, p.quad[c].x + p.x, p.quad[c].y + p.y);
    }
    a->End();
    if (live == 0) return;
    texture->Color = colour;
    texture->BlendMode = blend;
    texture->Apply();
    a->Draw(0, live * kQuadCorners);
}
} // namespace hgl
