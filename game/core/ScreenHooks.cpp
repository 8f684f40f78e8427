#include "game/core/ScreenHooks.h"

namespace avg
{
namespace
{
ScreenHooks &Hooks()
{
    static ScreenHooks hooks;
    return hooks;
}
} // namespace

void SetScreenHooks(const ScreenHooks &hooks)
{
    Hooks() = hooks;
}

const ScreenHooks &GetScreenHooks()
{
    return Hooks();
}
} // namespace avg
