#include "game/screens/title/VamUnit.h"

#include "core/Point.h"
#include "core/Random.h"
#include "game/core/GameResources.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/Canvas.h"
#include "graphics/draw/Painter.h"
#include "graphics/texture/Texture.h"
#include "io/Time.h"

namespace
{
// Balls start between these fractions of the canvas height below the top, in
// steps of two pixels.
constexpr double kStartTop = 1.01, kStartBottom = 1.8;
// A ball rises H x speed / kRiseDivisor pixels a frame.
constexpr float kRiseDivisor = 1600;

hgl::int64 Now()
{
    return hgl::int64(hgl::GetTime());
}
} // namespace

VamUnit::VamUnit() : texture(avg::LoadTexture2D(u"StartMenu\\ball.TEX", 0)), last_time(Now()) {}

VamUnit::~VamUnit() = default;

void VamUnit::Reset(float new_size, float new_speed, float new_x)
{
    size = new_size;
    speed = new_speed;
    x = new_x;
    fading_in = (hgl::RandomU32() & 1) != 0;
    alpha = 0.1f + float(hgl::RandomU32() % 80) * 0.01f;
    const double h = hgl::GetCanvasHeight();
    const hgl::uint32 steps = hgl::uint32((kStartBottom * h - kStartTop * h) * 0.5 + 1);
    y = float(kStartTop * h) + 2.0f * float(hgl::RandomU32() % steps);
}

void VamUnit::Frame()
{
    const hgl::int64 now = Now();
    const hgl::int64 delta = now - last_time;
    last_time = now;
    if (delta > kMaxFrameMs) return;

    if (texture)
    {
        hgl::draw::NoTexture();
        hgl::draw::SetBlend(hgl::BlendMode::Normal);
        texture->BlendMode = hgl::BlendMode::Normal;
        texture->Color = hgl::Color4f(1, 1, 1, alpha);
        const hgl::Point2f corner[4] = {{x - size + 0.5f, y - size},
                                        {x + size + 0.5f, y - size},
                                        {x + size + 0.5f, y + size},
                                        {x - size + 0.5f, y + size}};
        texture->DrawQuad(corner);
    }

    y -= float(hgl::GetCanvasHeight()) * speed / kRiseDivisor;
    alpha += fading_in ? kPulseStep : -kPulseStep;
    if (alpha >= 1)
    {
        alpha = 1;
        fading_in = !fading_in;
    }
    else if (alpha <= 0)
    {
        alpha = 0;
        fading_in = !fading_in;
    }
}

bool VamUnit::IsFinished() const
{
    return y < float(hgl::GetCanvasHeight()) * 0.5f && !fading_in && alpha <= kGoneAlpha;
}

VamUnitManage::VamUnitManage(int n) : count(n < 0 ? 0 : n)
{
    balls.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        balls.push_back(std::make_unique<VamUnit>());
    ResetAll();
}

VamUnitManage::~VamUnitManage()
{
    while (!balls.empty())
        balls.pop_back();
}

void VamUnitManage::ResetOne(VamUnit &ball)
{
    // One draw after another: the order of the random values is part of the look.
    const float size = 3.0f + float(hgl::RandomU32() % 3);
    const float speed = 0.8f + float(hgl::RandomU32() % 10) * 0.02f;
    const hgl::uint32 span = hgl::uint32(hgl::GetCanvasWidth()) + 4;
    const float x = -3.0f + float(hgl::RandomU32() % span);
    ball.Reset(size, speed, x);
}

void VamUnitManage::Update()
{
    for (int i = count - 1; i >= 0; --i)
    {
        VamUnit &ball = *balls[size_t(i)];
        ball.Frame();
        if (ball.IsFinished()) ResetOne(ball);
    }
}

void VamUnitManage::ResetAll()
{
    for (int i = count - 1; i >= 0; --i)
        ResetOne(*balls[size_t(i)]);
}

VamUnit *VamUnitManage::GetBall(int index) const
{
    return index >= 0 && index < count ? balls[size_t(index)].get() : nullptr;
}
