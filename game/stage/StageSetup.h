#pragma once
// The stage's full managers, as the makers of the game's wiring.
#include "game/core/StageManagers.h"

namespace avg
{
StageFactory MakeStageFactory();
}
