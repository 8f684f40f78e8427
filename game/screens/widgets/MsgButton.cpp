#include "game/screens/widgets/MsgButton.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"

namespace hgl::gui
{
namespace
{
constexpr float kDesignW = 1600;
constexpr float kPostInset = 26, kPostWidth = 8; // design pixels
} // namespace

MsgButton::MsgButton(int l, int t, int w, int h)
    : Button(float(l), float(t), float(w), float(h)),
      frame(avg::LoadTexture2D(u"MessageBox\\MsgFrame.TEX", 0))
{
    // It answers the pointer alone: Enter and Space stay with the story.
    focusable = false;
    OnDraw.Bind<&MsgButton::DrawFrame>(this);
}

MsgButton::~MsgButton() = default;

void MsgButton::DrawFrame(Button *, int)
{
    const float cw = float(GetCanvasWidth());
    const float a = kPostInset * cw / kDesignW, b = kPostWidth * cw / kDesignW, c = height - b;
    auto quad = [this](float x0, float y0, float x1, float y1, float v0, float v1)
    {
        const Point2f corner[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        const Point2f uv[4] = {{0, v0}, {1, v0}, {1, v1}, {0, v1}};
        avg::screen_draw::TexQuad(frame.get(), corner, uv);
    };
    quad(a, 0, a + b, c, 0, 0.5f);
    quad(width - a - b, 0, width - a, c, 0, 0.5f);
    quad(0, c, width, height, 0.5f, 1);
}
} // namespace hgl::gui
