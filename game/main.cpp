// The game's executable: the title's first start (the health notice, the logo
// movie, then the title) is its first screen, on the game's own wiring.
#include "game/core/GameMain.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/NewStartMenu.h"

int main(int argc, char **argv)
{
    const avg::GameWiring wiring = avg::MakeGameWiring();
    return avg::GameMain(argc, argv, wiring,
                         [](const avg::GameWiring &w) { return new NewStartMenu(true, w); });
}
