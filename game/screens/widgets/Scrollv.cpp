#include "game/screens/widgets/Scrollv.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"

namespace
{
constexpr float kDesignW = 1024;
// The picture's bands: the top cap from kCapTop to kMiddleTop, the stretched
// middle to kMiddleBottom, the bottom cap to kCapBottom.
constexpr float kCapTop = 0.10546875f, kMiddleTop = 0.33203125f, kMiddleBottom = 0.66796875f,
                kCapBottom = 0.89453125f;
constexpr float kCapShare = 0.9f; // cap height, of the bar width
constexpr float kBallReach = 45;  // the ball runs this much past the engine's length
constexpr float kHorizontalLead = 15, kHorizontalWidth = 16;
} // namespace

Scrollv::Scrollv(float left, float top, float width, float height, const hgl::u16char *picture_name,
                 bool is_vertical)
    : hgl::gui::ScrollBar(left, top, width, height, is_vertical),
      picture(avg::LoadTexture2D(picture_name ? picture_name : u"", 0)),
      scale(float(hgl::GetCanvasWidth()) / kDesignW)
{
    SetPosition(left, top);
    SetSize(width, height);
    if (is_vertical)
        OnDraw.Bind<&Scrollv::DrawVertical>(this);
    else
        OnDraw.Bind<&Scrollv::DrawHorizontal>(this);
}

Scrollv::~Scrollv() = default;

void Scrollv::DrawVertical(hgl::gui::ScrollBar *bar)
{
    if (bar != this || !picture) return;
    const float p = GetBallOffset(), l = GetBallLength(), w = width;
    const float cap = kCapShare * w;
    const float y[4] = {p, p + cap, l + p + kBallReach - cap, l + p + kBallReach};
    const float v[4] = {kCapTop, kMiddleTop, kMiddleBottom, kCapBottom};
    // The strip's three quads: top cap, middle, bottom cap.
    for (int i = 0; i < 3; ++i)
    {
        const hgl::Point2f corner[4] = {{0, y[i]}, {w, y[i]}, {w, y[i + 1]}, {0, y[i + 1]}};
        const hgl::Point2f uv[4] = {{0, v[i]}, {1, v[i]}, {1, v[i + 1]}, {0, v[i + 1]}};
        avg::screen_draw::TexQuad(picture.get(), corner, uv);
    }
}

void Scrollv::DrawHorizontal(hgl::gui::ScrollBar *bar)
{
    if (bar != this || !picture) return;
    const float p = GetBallOffset(), l = GetBallLength();
    const hgl::Point2f corner[4] = {{0, p + kHorizontalLead},
                                    {kHorizontalWidth, p + kHorizontalLead},
                                    {kHorizontalWidth, p + kHorizontalLead + l},
                                    {0, p + kHorizontalLead + l}};
    picture->ApplyDrawQuad(corner);
}
