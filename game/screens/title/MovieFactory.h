#pragma once
// Where the screens get their movie screens from: the wiring's movie maker (tests
// put one there that plays nothing and ends when they say), else the real movie
// player on "Data.hac".
#include "game/core/GameWiring.h"

namespace avg
{
// A new movie screen for the request, owned by the caller; never null. The movie
// returns (fosReturn) when it is over, was ended, or cannot be opened.
hgl::FlowObject *MakeMovie(const GameWiring &wiring, const MovieRequest &request);
} // namespace avg
