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

    // Replaces every link of the wiring by a marker.
    void Install(avg::GameWiring &wiring)
    {
        avg::ScreenLinks &links = wiring.links;
        links.new_game = WiredMaker("new game");
        links.load = WiredMaker("load");
        links.movies = WiredMaker("movies");
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
    std::function<hgl::FlowObject *(const avg::GameWiring &)> WiredMaker(const std::string &name)
    {
        return [this, name](const avg::GameWiring &) { return Make(name); };
    }
};
} // namespace screenkit
