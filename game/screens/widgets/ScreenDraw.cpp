#include "game/screens/widgets/ScreenDraw.h"

#include "graphics/gl/Canvas.h"
#include "graphics/gl/RenderState.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

#include <GL/glew.h>

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
void Rect(float x, float y, float w, float h)
{
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
    glEnd();
}
} // namespace

void DimCanvas(float level)
{
    hgl::UnbindAllTextures();
    hgl::EnableBlend(GL_ZERO, GL_ONE_MINUS_SRC_COLOR);
    glColor4f(level, level, level, level);
    Rect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()));
    glColor4f(1, 1, 1, 1);
    hgl::EnableBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void FlatRect(float x, float y, float w, float h, const hgl::Color4f &colour)
{
    hgl::UnbindAllTextures();
    hgl::EnableBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    Rect(x, y, w, h);
    glColor4f(1, 1, 1, 1);
}
} // namespace avg::screen_draw
