#include "game/screens/ScreensSetup.h"

#include "game/core/GameUnit.h"
#include "game/core/ScreenHooks.h"
#include "game/screens/ScreenLinks.h"
#include "game/screens/extras/AlbumNewUnit.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/extras/WordUnit.h"
#include "game/screens/menu/NewMenuUnit.h"
#include "game/screens/menu/OptionUnit.h"
#include "game/screens/record/LoadRecordUnit.h"
#include "game/screens/record/SaveRecordUnit.h"
#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/stage/MsgBoxMenu.h"
#include "game/screens/title/EndStaff.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/screens/title/SceneUnit.h"
#include "game/screens/widgets/MsgButton.h"

namespace avg
{
void InstallScreens()
{
    ScreenHooks hooks = GetScreenHooks();
    hooks.title = [](bool first) -> hgl::FlowObject * { return new NewStartMenu(first); };
    hooks.credits = []() -> hgl::FlowObject * { return new EndStaff; };
    hooks.menu = [](GameUnit &game) -> hgl::FlowObject *
    { return new menu::NewMenuUnit(&game, game.GetMessageStage()); };
    hooks.history = [](GameUnit &game) -> hgl::FlowObject *
    { return new HistoryUnit(game.GetMessageStage()); };
    hooks.quick_menu = [](const hgl::RectScope2<float> &button, GameUnit &game) -> hgl::FlowObject *
    { return new MsgBoxMenu(button.Left, button.Top, button.Width, button.Height, &game); };
    hooks.frame_button = [](const hgl::RectScope2<float> &rect) -> hgl::gui::Button *
    { return new hgl::gui::MsgButton(int(rect.Left), int(rect.Top), int(rect.Width), int(rect.Height)); };
    SetScreenHooks(hooks);

    ScreenLinks links;
    links.new_game = []() -> hgl::FlowObject * { return NewGame(); };
    links.load = []() -> hgl::FlowObject * { return new LoadRecordUnit; };
    links.save = [](GameUnit *game) -> hgl::FlowObject * { return new SaveRecordUnit(game); };
    links.options = [](GameUnit *game, MessageStage *message) -> hgl::FlowObject *
    { return new OptionUnit(game, message); };
    links.history = [](MessageStage *message) -> hgl::FlowObject * { return new HistoryUnit(message); };
    links.movies = []() -> hgl::FlowObject * { return new SceneUnit; };
    links.glossary = []() -> hgl::FlowObject * { return new WordUnit; };
    links.music = []() -> hgl::FlowObject * { return new NewMusicUnit; };
    links.album = []() -> hgl::FlowObject * { return new AlbumNewUnit; };
    SetScreenLinks(links);
}
} // namespace avg
