#pragma once
// Everything the game core asks of the layers above it, handed in as one value:
// the makers of the in-game screen's stage managers, the screens the core and the
// screens open, and the movie screens. The game's main gets the game's own; a test
// builds its own.
// The screens keep a reference to it: it outlives every screen made with it.
#include "game/core/ScreenHooks.h"
#include "game/core/StageManagers.h"

#include <functional>

namespace avg
{
// A movie screen the screens ask for.
struct MovieRequest
{
    hgl::String movie; // the ".ogv" file in "Data.hac"
    hgl::String sound; // its ".ogg" sound; a missing file plays silent
    bool end_on_key = false;
    bool end_on_mouse = false; // a left or right press
};

using MovieMaker = std::function<hgl::FlowObject *(const MovieRequest &)>;

struct GameWiring
{
    StageFactory stage;
    ScreenHooks screens;
    ScreenLinks links;
    // The movie screens; empty (or a maker that gives null): the real player.
    MovieMaker movie;
};
} // namespace avg
