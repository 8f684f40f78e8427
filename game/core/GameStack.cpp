#include "game/core/GameStack.h"

namespace avg
{
GameStack::GameStack() : stream(new hgl::MemStream) {}

GameStack::GameStack(const hgl::String &script_name) : name(script_name), stream(new hgl::MemStream) {}

GameStack::~GameStack()
{
    delete stream;
    stream = nullptr;
}
} // namespace avg
