#pragma once
// The game's wiring: the stage's full managers, the screens of this layer the
// in-game screen opens (the title, the credits, the in-game menu, the backlog, the
// message window's frame button and its quick menu), and the screens the title and
// the menu open (the links).
#include "game/core/GameWiring.h"

namespace avg
{
GameWiring MakeGameWiring();
}
