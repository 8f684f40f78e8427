#include "game/stage/widgets/SamPic.h"

#include "core/Point.h"
#include "game/core/GameResources.h"
#include "graphics/hgp/HGP.h"

#include <cmath>

namespace
{
constexpr float kPulsePi = 3.14159f;
constexpr float kPulseBeat = 4;
} // namespace

SamPic::SamPic() = default;
SamPic::~SamPic() = default;

void SamPic::Load(const hgl::String &name, float l, float t, float w, float h)
{
    SetImage(name, l, t, w, h);
}

void SamPic::SetImage(const hgl::String &name, float l, float t, float w, float h)
{
    picture.reset(avg::LoadHGP(name));
    frame_count = picture->LayerCount;
    tick = 0;
    left = l;
    top = t;
    width = w;
    height = h;
}

void SamPic::Corners(hgl::Point2f out[4]) const
{
    out[0] = {left, top};
    out[1] = {left + width, top};
    out[2] = {left + width, top + height};
    out[3] = {left, top + height};
}

float SamPic::PulseAlpha(int t)
{
    return (std::sin(float(t) * kPulsePi * (1.0f / 180) * kPulseBeat) + 1) * 0.5f;
}

bool SamPic::DrawFrames()
{
    ++tick;
    if (frame_count * ticks_per_frame > tick)
    {
        hgl::Point2f c[4];
        Corners(c);
        picture->DrawLayerQuad(tick / ticks_per_frame, c);
        return true;
    }
    tick = 0;
    return false;
}

bool SamPic::DrawPulse()
{
    ticks_per_frame = kTicksPerFrame;
    ++tick;
    const float a = PulseAlpha(tick);
    if (tick > kPulseWrap) tick = 0;
    if (!picture) return true;
    picture->SetColor(1, 1, 1, a);
    hgl::Point2f c[4];
    Corners(c);
    picture->DrawQuad(c);
    return true;
}
