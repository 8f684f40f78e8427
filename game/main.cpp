// The game's executable. The title screen is not built yet: until it is, the game
// starts a new game on the story's first script.
#include "game/core/GameMain.h"
#include "game/core/GameUnit.h"
#include "game/screens/ScreensSetup.h"
#include "game/stage/StageSetup.h"

int main(int argc, char **argv)
{
    avg::InstallStage();
    avg::InstallScreens();
    return avg::GameMain(argc, argv, [] { return avg::NewGame(); });
}
