// Bytes as a save tree holding the characters' nodes "人物" and "人物图标". Whatever
// the tree holds, loading must end with the active icon on a held place (or none),
// and a save of what was loaded must load and save again to the same bytes.
#include "TreeFuzz.h"
#include "CharFuzz.h"

#include "game/stage/char/CharManage.h"

#include <vector>

namespace
{
std::vector<uint8_t> Saved(avg::CharManage &chars)
{
    hgl::TDFNode root;
    if (!chars.SaveState(&root)) __builtin_trap();
    return treefuzz::Bytes(root);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    charfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::TDFNode root;
    if (!treefuzz::Read(data, size, root)) return 0;
    avg::CharManage chars(nullptr, nullptr);
    chars.LoadState(&root);
    const int active = chars.GetActiveIcon();
    if (active < -1 || active > 2 || (active >= 0 && !chars.GetIcons()->GetIcon(active))) __builtin_trap();
    chars.Draw();

    const std::vector<uint8_t> first = Saved(chars);
    hgl::TDFNode reread;
    if (!treefuzz::Read(first.data(), first.size(), reread) || !chars.LoadState(&reread)) __builtin_trap();
    if (Saved(chars) != first) __builtin_trap();
    return 0;
}
