#pragma once
// Marker screens in the place of the screens the title and the menu open, so a
// test sees which screen each action asks for: each link makes a MarkerScreen
// named after it ("new game", "load", "save", "options", "history", "movies",
// "glossary", "music", "album") and notes the name in `opened`.
#include "game/screens/ScreenLinks.h"
#include "game/unit/GameUnitFixture.h"

#include <string>
#include <vector>

namespace screenkit
{
class MarkerLinks
{
  public:
    std::vector<std::string> opened;
    avg::GameUnit *saved_game = nullptr;         // what the save link was given
    avg::MessageStage *option_message = nullptr; // what the options link was given

    // Replaces every link by a marker.
    void Install()
    {
        avg::ScreenLinks links;
        links.new_game = Maker("new game");
        links.load = Maker("load");
        links.movies = Maker("movies");
        links.glossary = Maker("glossary");
        links.music = Maker("music");
        links.album = Maker("album");
        links.save = [this](avg::GameUnit *game) -> hgl::FlowObject *
        {
            saved_game = game;
            return Make("save");
        };
        links.options = [this](avg::GameUnit *, avg::MessageStage *message) -> hgl::FlowObject *
        {
            option_message = message;
            return Make("options");
        };
        links.history = [this](avg::MessageStage *) -> hgl::FlowObject * { return Make("history"); };
        avg::SetScreenLinks(links);
    }

  private:
    hgl::FlowObject *Make(const std::string &name)
    {
        opened.push_back(name);
        return new MarkerScreen(name);
    }
    std::function<hgl::FlowObject *()> Maker(const std::string &name)
    {
        return [this, name]() { return Make(name); };
    }
};
} // namespace screenkit
