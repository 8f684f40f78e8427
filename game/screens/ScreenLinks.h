#pragma once
// Where the title and the in-game menu get the screens they open that live in
// other parts of this layer: the new game, the save and load screens, the
// options, the backlog and the four extras. InstallScreens puts the real ones
// here; a test may put others in their place to see which screen each action
// asks for. A link left empty means the screen is not there: the action is
// logged and nothing opens.
#include "core/String.h"

#include <functional>
#include <type_traits>

namespace hgl
{
class FlowObject;
}

namespace avg
{
class GameUnit;
class MessageStage;

struct ScreenLinks
{
    // An in-game screen gone to the story's first script.
    std::function<hgl::FlowObject *()> new_game;
    std::function<hgl::FlowObject *()> load;
    std::function<hgl::FlowObject *(GameUnit *)> save;
    std::function<hgl::FlowObject *(GameUnit *, MessageStage *)> options;
    std::function<hgl::FlowObject *(MessageStage *)> history;
    std::function<hgl::FlowObject *()> movies, glossary, music, album;
};

void SetScreenLinks(const ScreenLinks &links);
const ScreenLinks &GetScreenLinks();

void LogMissingScreen(const hgl::u16char *what);

// The screen the link makes, or null (logged with what) when the link is empty.
template <typename... A>
hgl::FlowObject *OpenLinked(const std::function<hgl::FlowObject *(A...)> &link, const hgl::u16char *what,
                            std::type_identity_t<A>... args)
{
    if (link) return link(args...);
    LogMissingScreen(what);
    return nullptr;
}
} // namespace avg
