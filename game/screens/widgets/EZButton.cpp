#include "game/screens/widgets/EZButton.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

namespace hgl::gui
{
namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kFlagSize = 32; // design pixels
constexpr int kSelectedLayer = 2, kNormalLayer = 0;
constexpr float kBlinkStep = 0.4f, kBlinkReach = 10;

struct Shared
{
    Texture2D *flag = nullptr;
    int count = 0;
    float offset = 0;
    bool upwards = true;
};
Shared shared;

void StepBlink()
{
    if (shared.upwards)
    {
        shared.offset += kBlinkStep;
        if (shared.offset >= kBlinkReach) shared.upwards = false;
    }
    else
    {
        shared.offset -= kBlinkStep;
        if (shared.offset <= 0) shared.upwards = true;
    }
}
} // namespace

EZButton::EZButton(float l, float t, float w, float h, const u16char *picture_name)
    : Button(l, t, w, h), picture(avg::LoadHGP(picture_name ? picture_name : u""))
{
    flag_w = kFlagSize * float(GetCanvasWidth()) / kDesignW;
    flag_h = kFlagSize * float(GetCanvasHeight()) / kDesignH;
    flag_top = (h - flag_h) / 2;
    if (shared.count++ == 0) shared.flag = avg::LoadTexture2D(u"option\\EZFlag.TEX", 0);
    OnDraw.Bind<&EZButton::DrawChoice>(this);
}

EZButton::~EZButton()
{
    if (--shared.count > 0) return;
    delete shared.flag;
    shared = Shared();
}

float EZButton::GetBlinkOffset()
{
    return shared.offset;
}

int EZButton::GetInstanceCount()
{
    return shared.count;
}

Texture2D *EZButton::GetFlagTexture()
{
    return shared.flag;
}

void EZButton::DrawChoice(Button *, int)
{
    avg::screen_draw::LayerTo(picture.get(), Selected ? kSelectedLayer : kNormalLayer, 0, 0, width, height);
    if (!focus) return;
    StepBlink();
    const float o = shared.offset, y0 = flag_top, y1 = flag_top + flag_h;
    const Point2f left[4] = {{-flag_w - o, y0}, {-o, y0}, {-o, y1}, {-flag_w - o, y1}};
    const Point2f right[4] = {
        {width + o, y0}, {width + flag_w + o, y0}, {width + flag_w + o, y1}, {width + o, y1}};
    const Point2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const Point2f mirrored[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
    avg::screen_draw::TexQuad(shared.flag, left, uv);
    avg::screen_draw::TexQuad(shared.flag, right, mirrored);
}
} // namespace hgl::gui
