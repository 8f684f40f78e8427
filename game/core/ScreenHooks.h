#pragma once
// The screens the in-game screen opens but cannot make itself, since they belong
// to the layers above it: the title, the credits, the in-game menu, the backlog and
// the message window's quick menu, with the frame button that opens it. The layer that has them installs the
// makers at start-up; a maker left empty means the screen is not there yet.
#include "core/RectScope.h"

#include <functional>

namespace hgl
{
class FlowObject;
namespace gui
{
class Button;
}
} // namespace hgl

namespace avg
{
class GameUnit;

struct ScreenHooks
{
    // The title; first is true only for the program's first screen.
    std::function<hgl::FlowObject *(bool first)> title;
    std::function<hgl::FlowObject *()> credits;
    std::function<hgl::FlowObject *(GameUnit &)> menu;
    std::function<hgl::FlowObject *(GameUnit &)> history;
    // The quick menu next to the message window's frame button.
    std::function<hgl::FlowObject *(const hgl::RectScope2<float> &button, GameUnit &)> quick_menu;
    // The message window's frame button, at the rectangle the window gives; the
    // in-game screen opens the quick menu when the pointer enters it.
    std::function<hgl::gui::Button *(const hgl::RectScope2<float> &rect)> frame_button;
};

void SetScreenHooks(const ScreenHooks &hooks);
const ScreenHooks &GetScreenHooks();
} // namespace avg
