#include "game/screens/widgets/ScreenDraw.h"

#include "graphics/gl/Canvas.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

namespace avg::screen_draw
{
void TexQuad(hgl::Texture2D *texture, const hgl::Point2f corner[4], const hgl::Point2f uv[4])
{
    if (texture) texture->DrawQuad(corner, uv);
}

void PictureTo(hgl::HGP *picture, float x, float y, float w, float h)
{
    if (!picture || picture->Width <= 0 || picture->Height <= 0) return;
    picture->Draw(x, y, double(w) / picture->Width, double(h) / picture->Height);
}

void LayerTo(hgl::HGP *picture, int layer, float x, float y, float w, float h)
{
    if (!picture || picture->Width <= 0 || picture->Height <= 0) return;
    picture->DrawLayer(layer, x, y, double(w) / picture->Width, double(h) / picture->Height);
}

namespace
{
namespace draw = hgl::draw;
} // namespace

void DimCanvas(float level)
{
    draw::NoTexture();
    draw::SetBlend(hgl::BlendMode::Dim);
    draw::FillRect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()),
                   hgl::Color4f(level, level, level, level));
    draw::SetBlend(hgl::BlendMode::Normal);
}

void FlatRect(float x, float y, float w, float h, const hgl::Color4f &colour)
{
    draw::NoTexture();
    draw::SetBlend(hgl::BlendMode::Normal);
    draw::FillRect(x, y, w, h, colour);
}
} // namespace avg::screen_draw
