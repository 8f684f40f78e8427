#include "gui/FrameDraw.h"

#include "graphics/gl/RenderState.h"

#include <GL/gl.h>

namespace hgl::gui
{
namespace
{
// Lines go through pixel centres, so that a one-pixel line covers exactly the
// pixels along the rectangle's inside edge.
constexpr float PixelCentre = 0.5f;

void PrepareFlat(const Color4f &color)
{
    UnbindAllTextures();
    EnableBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(color.r, color.g, color.b, color.a);
}
} // namespace

void FillRect(float l, float t, float w, float h, const Color4f &color)
{
    if (w <= 0 || h <= 0) return;
    PrepareFlat(color);
    glBegin(GL_QUADS);
    glVertex2f(l, t);
    glVertex2f(l + w, t);
    glVertex2f(l + w, t + h);
    glVertex2f(l, t + h);
    glEnd();
}

void OutlineRect(float l, float t, float w, float h, const Color4f &color)
{
    if (w < 1 || h < 1) return;
    PrepareFlat(color);
    const float x0 = l + PixelCentre, y0 = t + PixelCentre;
    const float x1 = l + w - PixelCentre, y1 = t + h - PixelCentre;
    glBegin(GL_LINE_LOOP);
    glVertex2f(x0, y0);
    glVertex2f(x1, y0);
    glVertex2f(x1, y1);
    glVertex2f(x0, y1);
    glEnd();
}
} // namespace hgl::gui
