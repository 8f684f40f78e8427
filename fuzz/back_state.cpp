// Bytes as a save tree whose "背景" node the background manager loads, then saves.
// Whatever the bytes, loading ends without a crash, and what it saves loads back
// to the same bytes.
#include "TreeFuzz.h"
#include "game/core/GameState.h"
#include "game/stage/back/BackManage.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <vector>

namespace
{
std::vector<uint8_t> Saved(BackManage &back)
{
    hgl::TDFNode root;
    back.SaveState(&root);
    return treefuzz::Bytes(root);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::TDFNode root;
    if (!treefuzz::Read(data, size, root)) return 0;

    hgl::DevilEngine engine;
    avg::GameStateControl state;
    BackManage back(&state, &engine);
    back.LoadState(&root);
    const std::vector<uint8_t> first = Saved(back);

    hgl::TDFNode reread;
    if (!treefuzz::Read(first.data(), first.size(), reread) || !back.LoadState(&reread) ||
        Saved(back) != first)
        __builtin_trap();
    return 0;
}
