// The game's executable: the title's first start (the health notice, the logo
// movie, then the title) is its first screen.
#include "game/core/GameMain.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/stage/StageSetup.h"

int main(int argc, char **argv)
{
    avg::InstallStage();
    avg::InstallScreens();
    return avg::GameMain(argc, argv, [] { return new NewStartMenu(true); });
}
