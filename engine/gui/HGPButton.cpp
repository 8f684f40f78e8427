#include "gui/HGPButton.h"

#include "graphics/hgp/HGP.h"

namespace hgl::gui
{
namespace
{
constexpr unsigned int RecommendedFormat = 0;
constexpr bool WithMipmaps = true;
const u16char *const StateLayerName[] = {u"Normal", u"Disable", u"Select", u"Push"};
} // namespace

HGPButton::HGPButton(float l, float t, float w, float h, HAC *archive, const u16char *picture_name)
    : Button(l, t, w, h)
{
    if (archive && picture_name)
    {
        owned_picture = std::make_unique<HGP>(archive, picture_name, RecommendedFormat, WithMipmaps);
        picture = owned_picture.get();
    }
    Setup(w, h, picture_name);
}

HGPButton::HGPButton(float l, float t, float w, float h, HGP *shown_picture)
    : Button(l, t, w, h), picture(shown_picture)
{
    Setup(w, h, shown_picture ? shown_picture->GetName().c_str() : nullptr);
}

HGPButton::~HGPButton() = default;

void HGPButton::Setup(float w, float h, const u16char *what)
{
    OnDraw.Bind<&HGPButton::DrawState>(this);
    if (!picture || picture->IsEmpty())
    {
        no_picture.Tell(u"图片按钮<%s>没有图片，不绘制!", what);
        return;
    }
    if (w <= 0) SetWidth(float(picture->Width));
    if (h <= 0) SetHeight(float(picture->Height));
    FindStateLayers();
}

void HGPButton::FindStateLayers()
{
    if (!picture->FindLayer(StateLayerName[bsNormal]))
    {
        for (int s = 0; s < StateCount; s++)
            state_layer[s] = s < picture->LayerCount ? s : -1;
        return;
    }
    for (int s = 0; s < StateCount; s++)
        state_layer[s] = picture->FindLayerIndex(StateLayerName[s]);
}

HGPLayer *HGPButton::GetStateLayer(int state) const
{
    if (!picture || state < 0 || state >= StateCount || state_layer[state] < 0) return nullptr;
    return picture->GetLayer(state_layer[state]);
}

void HGPButton::DrawState(Button *, int state)
{
    if (!picture || picture->Width <= 0 || picture->Height <= 0) return;
    int index = state >= 0 && state < StateCount ? state_layer[state] : -1;
    if (index < 0) index = state_layer[bsNormal];
    if (index < 0) return;
    picture->DrawLayer(index, 0, 0, width / picture->Width, height / picture->Height);
}
} // namespace hgl::gui
