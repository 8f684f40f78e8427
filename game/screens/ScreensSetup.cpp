#include "game/screens/ScreensSetup.h"

#include "game/core/GameUnit.h"
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
#include "game/stage/StageSetup.h"

namespace avg
{
GameWiring MakeGameWiring()
{
    GameWiring wiring;
    wiring.stage = MakeStageFactory();

    ScreenHooks &hooks = wiring.screens;
    hooks.title = [](bool first, const GameWiring &w) -> hgl::FlowObject *
    { return new NewStartMenu(first, w); };
    hooks.credits = [](const GameWiring &w) -> hgl::FlowObject * { return new EndStaff(w); };
    hooks.menu = [](GameUnit &game) -> hgl::FlowObject *
    { return new menu::NewMenuUnit(game.GetWiring(), &game, game.GetMessageStage()); };
    hooks.history = [](GameUnit &game) -> hgl::FlowObject *
    { return new HistoryUnit(game.GetMessageStage()); };
    hooks.quick_menu = [](const hgl::RectScope2<float> &button, GameUnit &game) -> hgl::FlowObject *
    { return new MsgBoxMenu(button.Left, button.Top, button.Width, button.Height, &game); };
    hooks.frame_button = [](const hgl::RectScope2<float> &rect) -> hgl::gui::Button *
    { return new hgl::gui::MsgButton(int(rect.Left), int(rect.Top), int(rect.Width), int(rect.Height)); };

    ScreenLinks &links = wiring.links;
    links.new_game = [](const GameWiring &w) -> hgl::FlowObject * { return NewGame(w); };
    links.load = [](const GameWiring &w) -> hgl::FlowObject * { return new LoadRecordUnit(w); };
    links.save = [](GameUnit *game) -> hgl::FlowObject * { return new SaveRecordUnit(game); };
    links.options = [](GameUnit *game, MessageStage *message) -> hgl::FlowObject *
    { return new OptionUnit(game, message); };
    links.history = [](MessageStage *message) -> hgl::FlowObject * { return new HistoryUnit(message); };
    links.movies = [](const GameWiring &w) -> hgl::FlowObject * { return new SceneUnit(w); };
    links.glossary = []() -> hgl::FlowObject * { return new WordUnit; };
    links.music = []() -> hgl::FlowObject * { return new NewMusicUnit; };
    links.album = []() -> hgl::FlowObject * { return new AlbumNewUnit; };
    return wiring;
}
} // namespace avg
