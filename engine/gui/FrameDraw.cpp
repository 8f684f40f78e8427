#include "gui/FrameDraw.h"

#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"

namespace hgl::gui
{
namespace
{
// Lines go through pixel centres, so that a one-pixel line covers exactly the
// pixels along the rectangle's inside edge.
constexpr float PixelCentre = 0.5f;

void PrepareFlat()
{
    draw::NoTexture();
    draw::SetBlend(BlendMode::Normal);
}
} // namespace

void FillRect(float l, float t, float w, float h, const Color4f &color)
{
    if (w <= 0 || h <= 0) return;
    PrepareFlat();
    draw::FillRect(l, t, w, h, color);
}

void OutlineRect(float l, float t, float w, float h, const Color4f &color)
{
    if (w < 1 || h < 1) return;
    PrepareFlat();
    draw::Frame(l + PixelCentre, t + PixelCentre, w - 2 * PixelCentre, h - 2 * PixelCentre, color);
}
} // namespace hgl::gui
