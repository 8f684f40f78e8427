// Bytes as a save tree whose "背景" node the background manager loads, then saves.
// Whatever the bytes, loading ends without a crash, and what it saves loads back
// to the same bytes.
#include "game/core/GameState.h"
#include "game/stage/back/BackManage.h"
#include "io/MemStream.h"
#include "io/TDF.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <vector>

namespace
{
std::vector<uint8_t> Saved(BackManage &back)
{
    hgl::TDFNode root;
    back.SaveState(&root);
    hgl::MemStream s;
    if (!root.Save(&s)) __builtin_trap();
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream in;
    if (size > 0 && !in.WriteFully(data, int(size))) return 0;
    in.SetPosition(0);
    hgl::TDFNode root;
    if (!root.Load(&in)) return 0;

    hgl::DevilEngine engine;
    avg::GameStateControl state;
    BackManage back(&state, &engine);
    back.LoadState(&root);
    const std::vector<uint8_t> first = Saved(back);

    hgl::MemStream again;
    if (!again.WriteFully(first.data(), int(first.size()))) __builtin_trap();
    again.SetPosition(0);
    hgl::TDFNode reread;
    if (!reread.Load(&again) || !back.LoadState(&reread) || Saved(back) != first) __builtin_trap();
    return 0;
}
