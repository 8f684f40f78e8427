#include "game/core/GameState.h"

#include "core/Log.h"

namespace avg
{
bool GameStateControl::SetState(int value)
{
    if (value < kFirstGameState || value > kLastGameState)
    {
        hgl::PutError(u"不正常的游戏状态%d", value);
        return false;
    }
    state = GameState(value);
    return true;
}
} // namespace avg
