#include "game/screens/menu/OptionUnit.h"

#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/screens/menu/OptionPages.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/HGPButton.h"
#include "io/StringList.h"
#include "platform/window/KeyCode.h"

namespace avg
{
namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
// Items and rows, in the 1600 x 1200 design.
constexpr float kItemLeft = 241, kItemTop = 426, kItemW = 320, kRowH = 64, kRowGap = 32;
constexpr float kRowLeft = 672, kRowW = 685;
constexpr float kFrameAlpha = 0.4f;
constexpr int kNormalLook = 0, kSelectedLook = 1;
// The panel and its bands.
constexpr float kPanelLeft = 160, kPanelTop = 375, kPanelH = 750, kBand = 24;
constexpr float kBandV = 0.09375f;
// The marker: four cells beside the focused item.
constexpr int kMarkerCells = 4;
constexpr float kMarkerCellW = 15, kMarkerCellH = 48, kMarkerGap = 53 * 0.2f;
// Pages open over the row, a little above the item's top.
constexpr float kPageAbove = 2;

float SX()
{
    return float(hgl::GetCanvasWidth()) / kDesignW;
}
float SY()
{
    return float(hgl::GetCanvasHeight()) / kDesignH;
}
// The top of row i in the design, accumulated as the items are.
float RowTop(int i)
{
    float t = kItemTop;
    for (int k = 0; k < i; ++k)
        t += kRowH + kRowGap;
    return t;
}
} // namespace

OptionUnit::OptionUnit(GameUnit *game_unit, MessageStage *message_window)
    : game(game_unit), message(message_window), keys(std::make_unique<hgl::StringList>())
{
    panel.reset(LoadTexture2D(u"HisBack.TEX", 0));
    for (int i = 0; i < kChoicePictureCount; ++i)
    {
        choice_pictures[i] = LoadHGP(OptionPicture(kChoicePictures[i]));
        control->AddObject(choice_pictures[i]);
    }
    marker = LoadHGP(u"option\\animation.HGP");
    control->AddObject(marker);
    hgl::FlowObject::OnMouseRightDown.Bind<&OptionUnit::OnMouseRightDown>(this);
    hgl::FlowObject::OnKeyDown.Bind<&OptionUnit::OnKeyDown>(this);
    dim = 0;
    for (int i = 0; i < kOptionRowCount; ++i)
        keys->AddText(GetOptionRow(i).key);
    frame = LoadHGP(u"option\\Frame.HGP");
    control->AddObject(frame);
    CreateItemButtons();
}

OptionUnit::~OptionUnit() = default;

void OptionUnit::CreateItemButtons()
{
    const float sx = SX(), sy = SY();
    float top = kItemTop;
    for (int i = 0; i < kOptionRowCount; ++i)
    {
        hgl::String picture(u"option\\");
        picture += (*keys)[i];
        picture += u".HGP";
        auto *item = new hgl::gui::HGPButton(kItemLeft * sx, top * sy, kItemW * sx, kRowH * sy, GetDataHAC(),
                                             picture.c_str());
        item->Index = i;
        item->OnClick.Bind<&OptionUnit::OpenItem>(this);
        item->OnFocusChange.Bind(this, [](void *self, hgl::EventObject *object, bool focus)
                                 { static_cast<OptionUnit *>(self)->PlaceMarker(object, focus); });
        items[i] = item;
        control->AddObject(item);
        top += kRowH + kRowGap;
    }
    control->SetFocusObject(items[0]);
}

hgl::gui::HGPButton *OptionUnit::GetItem(int row) const
{
    return row >= 0 && row < kOptionRowCount ? items[row] : nullptr;
}

hgl::HGP *OptionUnit::ChoicePicture(const hgl::u16char *name) const
{
    for (int i = 0; i < kChoicePictureCount; ++i)
        if (hgl::String(name) == kChoicePictures[i]) return choice_pictures[i];
    return nullptr;
}

int OptionUnit::GetShownChoice(int row) const
{
    const OptionRow &r = GetOptionRow(row);
    return MatchOptionChoice(r, r.get());
}

void OptionUnit::Draw()
{
    screen_draw::DimCanvas(dim);
    if (dim < kDimLimit) dim += kDimStep;
    DrawPanel();
    DrawRowFrames();
    DrawCurrentValues();
    DrawMarker();
}

void OptionUnit::DrawPanel()
{
    if (!panel) return;
    const float sx = SX(), sy = SY();
    const float L = kPanelLeft * sx, T = kPanelTop * sy, Wp = float(hgl::GetCanvasWidth()) - 2 * L;
    const float Hp = kPanelH * sy, B = kBand * sy;
    const hgl::Point2f top[4] = {{L, T}, {L + Wp, T}, {L + Wp, T + B}, {L, T + B}};
    const hgl::Point2f top_uv[4] = {{0, 0}, {1, 0}, {1, kBandV}, {0, kBandV}};
    panel->DrawQuad(top, top_uv);
    // The bottom band is the top one turned round.
    const hgl::Point2f bottom[4] = {{L, T + Hp - B}, {L + Wp, T + Hp - B}, {L + Wp, T + Hp}, {L, T + Hp}};
    const hgl::Point2f bottom_uv[4] = {{1, kBandV}, {0, kBandV}, {0, 0}, {1, 0}};
    panel->DrawQuad(bottom, bottom_uv);
    const hgl::Point2f middle[4] = {{L, T + B}, {L + Wp, T + B}, {L + Wp, T + Hp - B}, {L, T + Hp - B}};
    const hgl::Point2f middle_uv[4] = {{0.5f, kBandV}, {1, kBandV}, {1, 1}, {0.5f, 1}};
    panel->DrawQuad(middle, middle_uv);
}

void OptionUnit::DrawRowFrames()
{
    frame->SetAlpha(kFrameAlpha);
    // A frame picture without its "Normal" layer draws no frames.
    hgl::HGPLayer *layer = frame->FindLayer(u"Normal");
    if (!layer || layer->Width <= 0 || layer->Height <= 0) return;
    const float sx = SX(), sy = SY();
    for (int i = 0; i < kOptionRowCount; ++i)
        layer->Draw(kRowLeft * sx, RowTop(i) * sy, kRowW * sx / float(layer->Width),
                    kRowH * sy / float(layer->Height));
}

void OptionUnit::DrawCurrentValues()
{
    const float sx = SX(), sy = SY();
    for (int i = 0; i < kOptionRowCount; ++i)
    {
        const OptionRow &row = GetOptionRow(i);
        const int shown = MatchOptionChoice(row, row.get());
        for (int c = 0; c < row.choice_count; ++c)
        {
            hgl::HGP *picture = ChoicePicture(row.choices[c].picture);
            if (!picture || picture->Width <= 0 || picture->Height <= 0) continue;
            const float w = float(picture->Width); // taken as design units
            const float x = kRowLeft + kRowW * row.choices[c].fraction - w / 2;
            picture->DrawLayer(c == shown ? kSelectedLook : kNormalLook, x * sx, RowTop(i) * sy, sx,
                               kRowH * sy / float(picture->Height));
        }
    }
}

void OptionUnit::DrawMarker()
{
    if (!marker || marker->Width <= 0 || marker->Height <= 0) return;
    for (int k = 0; k < kMarkerCells; ++k)
        marker->Draw(marker_x + float(k + 1) * marker_gap + float(k) * marker_w, marker_y,
                     marker_w / float(marker->Width), marker_h / float(marker->Height));
}

bool OptionUnit::PlaceMarker(hgl::EventObject *object, bool focus)
{
    auto *item = dynamic_cast<hgl::gui::HGPButton *>(object);
    if (!focus || !item) return false;
    const float sx = SX(), sy = SY();
    marker_w = kMarkerCellW * sx;
    marker_h = kMarkerCellH * sy;
    marker_gap = kMarkerGap * sx;
    marker_x = item->Left + item->Width;
    marker_y = item->Top + (item->Height - marker_h) / 2;
    return true;
}

void OptionUnit::OpenItem(hgl::gui::Button *button)
{
    if (!button) return;
    const float sx = SX(), sy = SY();
    OptionSub *page = NewOptionPage(button->Index, kRowLeft * sx, button->Top - kPageAbove, kRowW * sx,
                                    kRowH * sy, u"test", game, message);
    if (!page) return;
    ObjectState = fosPush;
    NextObject = page;
}

bool OptionUnit::OnKeyDown(int key)
{
    if (key != hgl::key::Esc) return false;
    ObjectState = fosReturn;
    return true;
}

bool OptionUnit::OnMouseRightDown(int, int, int)
{
    return OnKeyDown(hgl::key::Esc);
}
} // namespace avg
