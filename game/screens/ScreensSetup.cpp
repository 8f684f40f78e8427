#include "game/screens/ScreensSetup.h"

#include "game/core/GameUnit.h"
#include "game/core/ScreenHooks.h"
#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/stage/MsgBoxMenu.h"
#include "game/screens/widgets/MsgButton.h"

namespace avg
{
void InstallScreens()
{
    ScreenHooks hooks = GetScreenHooks();
    hooks.history = [](GameUnit &game) -> hgl::FlowObject *
    { return new HistoryUnit(game.GetMessageStage()); };
    hooks.quick_menu = [](const hgl::RectScope2<float> &button, GameUnit &game) -> hgl::FlowObject *
    { return new MsgBoxMenu(button.Left, button.Top, button.Width, button.Height, &game); };
    hooks.frame_button = [](const hgl::RectScope2<float> &rect) -> hgl::gui::Button *
    { return new hgl::gui::MsgButton(int(rect.Left), int(rect.Top), int(rect.Width), int(rect.Height)); };
    SetScreenHooks(hooks);
}
} // namespace avg
