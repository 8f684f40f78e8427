#include "game/screens/menu/OptionSub.h"

#include "game/core/GameResources.h"
#include "game/screens/menu/OptionTable.h"
#include "game/screens/widgets/EZButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "platform/window/KeyCode.h"

namespace avg
{
namespace
{
constexpr float kDesignW = 1600;
}

OptionSub::OptionSub(float l, float t, float w, float h, const hgl::String &, GameUnit *game_unit,
                     MessageStage *message_window)
    : left(l), top(t), width(w), height(h), frame(LoadHGP(u"option\\Frame.HGP")), game(game_unit),
      message(message_window)
{
    control->AddObject(frame);
    hgl::FlowObject::OnMouseRightDown.Bind<&OptionSub::OnMouseRightDown>(this);
    hgl::FlowObject::OnKeyDown.Bind<&OptionSub::OnKeyDown>(this);
}

void OptionSub::Draw()
{
    hgl::HGPLayer *layer = frame->FindLayer(u"Select");
    if (!layer || layer->Width <= 0 || layer->Height <= 0) return;
    layer->Draw(left, top, double(width) / layer->Width, double(height) / layer->Height);
}

bool OptionSub::OnKeyDown(int key)
{
    if (key != hgl::key::Esc) return false;
    ObjectState = fosReturn;
    return true;
}

bool OptionSub::OnMouseRightDown(int, int, int)
{
    return OnKeyDown(hgl::key::Esc);
}

OptionRowPage::OptionRowPage(int row_index, float l, float t, float w, float h, const hgl::String &name,
                             GameUnit *game_unit, MessageStage *message_window)
    : OptionSub(l, t, w, h, name, game_unit, message_window), row(GetOptionRow(row_index))
{
    const float canvas_scale = float(hgl::GetCanvasWidth()) / kDesignW;
    hgl::HGP *pictures[kMaxOptionChoices] = {};
    for (int i = 0; i < row.choice_count; ++i)
    {
        pictures[i] = LoadHGP(OptionPicture(row.choices[i].picture));
        control->AddObject(pictures[i]);
    }
    for (int i = 0; i < row.choice_count; ++i)
    {
        const float bw = float(pictures[i]->Width) * canvas_scale;
        choices[i] = new hgl::gui::EZButton(left + width * row.choices[i].fraction - bw / 2, top, bw, height,
                                            OptionPicture(row.choices[i].picture).c_str());
        choices[i]->Index = i;
        control->AddObject(choices[i]);
    }
    const int current = MatchOptionChoice(row, row.get());
    if (current >= 0)
    {
        choices[current]->Selected = true;
        control->SetFocusObject(choices[current]);
    }
}

int OptionRowPage::GetChoiceCount() const
{
    return row.choice_count;
}

hgl::gui::EZButton *OptionRowPage::GetChoice(int index) const
{
    return index >= 0 && index < row.choice_count ? choices[index] : nullptr;
}

void OptionRowPage::Choose(int index)
{
    if (index < 0 || index >= row.choice_count) return;
    const int value = row.choices[index].value;
    row.set(value);
    for (int i = 0; i < row.choice_count; ++i)
        choices[i]->Selected = i == index;
    if (row.apply) row.apply(game, message, value);
}
} // namespace avg
