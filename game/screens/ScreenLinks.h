#pragma once
// Opening the screens the wiring links the title and the in-game menu to
// (ScreenLinks, game/core/ScreenHooks.h): a link left empty means the screen is
// not there, and the action is logged and nothing opens.
#include "core/String.h"
#include "game/core/GameWiring.h"

#include <functional>
#include <type_traits>

namespace avg
{
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
