#pragma once
// One suspended script file of the game's call stack: the script file's name and
// its saved run state. The game keeps these in a StackObject<GameStack>.
#include "core/String.h"
#include "io/MemStream.h"

namespace avg
{
class GameStack
{
  public:
    hgl::String name;       // the script file
    hgl::MemStream *stream; // the saved run state; owned

    GameStack();
    explicit GameStack(const hgl::String &script_name);
    GameStack(const GameStack &) = delete;
    GameStack &operator=(const GameStack &) = delete;

    // The stream goes first, then the name.
    virtual ~GameStack();
};
} // namespace avg
