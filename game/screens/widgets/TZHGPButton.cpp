#include "game/screens/widgets/TZHGPButton.h"

#include "graphics/hgp/HGPLayer.h"

namespace hgl::gui
{
TZHGPButton::TZHGPButton(float l, float t, float w, float h, HAC *archive, const u16char *picture_name)
    : HGPButton(l, t, w, h, archive, picture_name)
{
}

TZHGPButton::TZHGPButton(float l, float t, float w, float h, HGP *shown_picture)
    : HGPButton(l, t, w, h, shown_picture)
{
}

void TZHGPButton::SetAlpha(float value)
{
    HGPButton::SetAlpha(value);
    // A picture without its own state layers shows one layer for several states.
    for (int s = bsNormal; s <= bsPress; ++s)
        if (HGPLayer *layer = GetStateLayer(s)) layer->Color.a = value;
}
} // namespace hgl::gui
