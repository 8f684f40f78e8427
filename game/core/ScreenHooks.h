#pragma once
// The screens the game core and the screens open but cannot make themselves, since
// they belong to the layers above: the makers the game's wiring hands in. A maker
// left empty means the screen is not there.
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
class MessageStage;
struct GameWiring;

// What the in-game screen opens: the title, the credits, the in-game menu, the
// backlog and the message window's quick menu, with the frame button that opens it.
struct ScreenHooks
{
    // The title; first is true only for the program's first screen.
    std::function<hgl::FlowObject *(bool first, const GameWiring &)> title;
    std::function<hgl::FlowObject *(const GameWiring &)> credits;
    std::function<hgl::FlowObject *(GameUnit &)> menu;
    std::function<hgl::FlowObject *(GameUnit &)> history;
    // The quick menu next to the message window's frame button.
    std::function<hgl::FlowObject *(const hgl::RectScope2<float> &button, GameUnit &)> quick_menu;
    // The message window's frame button, at the rectangle the window gives; the
    // in-game screen opens the quick menu when the pointer enters it.
    std::function<hgl::gui::Button *(const hgl::RectScope2<float> &rect)> frame_button;
};

// What the title and the in-game menu open that lives in other parts of the
// screens: the new game, the save and load screens, the options, the backlog and
// the four extras. A test may put others in their place to see which screen each
// action asks for; an empty link is logged and nothing opens.
struct ScreenLinks
{
    // An in-game screen gone to the story's first script.
    std::function<hgl::FlowObject *(const GameWiring &)> new_game;
    std::function<hgl::FlowObject *(const GameWiring &)> load;
    std::function<hgl::FlowObject *(GameUnit *)> save;
    std::function<hgl::FlowObject *(GameUnit *, MessageStage *)> options;
    std::function<hgl::FlowObject *(MessageStage *)> history;
    std::function<hgl::FlowObject *(const GameWiring &)> movies;
    std::function<hgl::FlowObject *()> glossary, music, album;
};
} // namespace avg
