#pragma once
// An option page: the small screen the options screen opens over one of its rows.
// It shows the row's frame in its selected look and one choice button for each
// value of the row's setting, the current one selected and focused. A click writes
// the value into the settings at once, marks the choice and applies what the row
// applies; the page stays until Esc or a right click.
#include "core/String.h"
#include "framework/FlowObject.h"

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class EZButton;
} // namespace gui
} // namespace hgl

namespace avg
{
class GameUnit;
class MessageStage;
struct OptionRow;

class OptionSub : public hgl::FlowObject
{
  protected:
    float left, top, width, height; // canvas units
    hgl::HGP *frame;                // a child of the object control
    GameUnit *game;                 // not owned
    MessageStage *message;          // not owned

  public:
    // The name is the caller's and is not kept.
    OptionSub(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
              MessageStage *message_window);
    ~OptionSub() override = default;

    // The frame's "Select" layer over the page; nothing when the picture lacks it.
    void Draw() override;
    bool OnKeyDown(int key);
    bool OnMouseRightDown(int x, int y, int flags);
};

// A page made from its row of the option table.
class OptionRowPage : public OptionSub
{
    const OptionRow &row;

  protected:
    hgl::gui::EZButton *choices[4] = {};

    OptionRowPage(int row_index, float l, float t, float w, float h, const hgl::String &name,
                  GameUnit *game_unit, MessageStage *message_window);
    // Writes the choice's value, marks it and applies it.
    void Choose(int index);

  public:
    int GetChoiceCount() const;
    hgl::gui::EZButton *GetChoice(int index) const;
};
} // namespace avg
