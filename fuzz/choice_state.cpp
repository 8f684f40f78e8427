// Bytes as a save tree whose "选择项" node the choice menu loads. Whatever the tree
// holds, loading ends without a crash, with at most ten options and a button for
// each shown one, the game state gsChoice exactly while buttons stand; what it
// saves loads and saves again to the same bytes; and a pick then carries out.
#include "TreeFuzz.h"
#include "game/core/GameState.h"
#include "game/core/GameValue.h"
#include "game/stage/choice/KQ7Button.h"
#include "game/stage/choice/SelectUnit.h"
#include "platform/window/KeyCode.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <vector>

namespace
{
std::vector<uint8_t> Saved(avg::SelectUnit &choice)
{
    hgl::TDFNode root;
    if (choice.SaveState(&root) != (choice.GetCount() > 0)) __builtin_trap();
    return treefuzz::Bytes(root);
}

void Check(avg::SelectUnit &choice, const avg::GameStateControl &state)
{
    const hgl::StringList &options = choice.GetOptions();
    const int shown = choice.GetCount();
    if (options.GetCount() > avg::SelectUnit::kMaxOptions || shown > options.GetCount()) __builtin_trap();
    if ((shown > 0) != (state.GetState() == avg::gsChoice)) __builtin_trap();
    for (int i = 0; i < shown; ++i)
    {
        const int position = choice.GetButton(i)->Index % avg::SelectUnit::kSeenIndex;
        if (position >= options.GetCount() || options[position] != choice.GetButton(i)->GetCaption())
            __builtin_trap();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::TDFNode root;
    if (!treefuzz::Read(data, size, root)) return 0;

    hgl::DevilEngine engine;
    avg::GameStateControl state;
    GameValue values;
    avg::SelectUnit choice(nullptr, &state, &values, &engine);
    choice.LoadState(&root);
    Check(choice, state);

    const std::vector<uint8_t> first = Saved(choice);
    hgl::TDFNode reread;
    if (!treefuzz::Read(first.data(), first.size(), reread) || !choice.LoadState(&reread)) __builtin_trap();
    Check(choice, state);
    if (Saved(choice) != first) __builtin_trap();

    if (choice.GetCount() == 0) return 0;
    choice.Proc_KeyDown(hgl::key::Down);
    choice.Proc_KeyDown(hgl::key::Enter);
    choice.Update();
    if (choice.GetCount() != 0 || state.GetState() != avg::gsRunning) __builtin_trap();
    return 0;
}
