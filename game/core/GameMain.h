#pragma once
// The game's main: start-up in order, the run loop over the first screen, and
// shut-down in reverse order. The executable hands in its arguments, the game's
// wiring and the maker of its first screen.
#include "io/StringList.h"

#include <functional>

namespace hgl
{
class FlowObject;
class SystemInitInfo;
} // namespace hgl

namespace avg
{
struct GameWiring;

using FirstScreenMaker = std::function<hgl::FlowObject *(const GameWiring &)>;
// Called with the filled start-up description just before the application's
// set-up reads it (a test picks its frame pacing there).
using InitInfoHook = std::function<void(hgl::SystemInitInfo &)>;

// The command line as UTF-16 texts, the program's name first.
const hgl::StringList &GetArguments();

// Builds the application (which starts the engine core in the current folder),
// mounts "Data.hac" and "Local.hac", makes the "Save" folder, loads "Config.TDF"
// and the names of "System.List", sets the application up, loads the shared
// resources, the data tables and "Game.TDF", runs the first screen (made with the
// wiring, which every screen of the run is made with) until the flow ends, then saves "Game.TDF" and
// "Config.TDF" and frees everything in reverse order. 0 after a normal run, 1 when the start-up failed or the
// tour named by HGL_TOUR cannot be read.
int GameMain(int argc, char **argv, const GameWiring &wiring, const FirstScreenMaker &first_screen,
             const InitInfoHook &hook = {});
} // namespace avg
