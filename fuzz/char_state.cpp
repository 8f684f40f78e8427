// Bytes as a save tree holding the characters' nodes "人物" and "人物图标". Whatever
// the tree holds, loading must end with the active icon on a held place (or none),
// and a save of what was loaded must load and save again to the same bytes.
#include "CharFuzz.h"

#include "game/stage/char/CharManage.h"
#include "io/TDF.h"

#include <vector>

namespace
{
std::vector<uint8_t> Saved(avg::CharManage &chars)
{
    hgl::TDFNode root;
    if (!chars.SaveState(&root)) __builtin_trap();
    hgl::MemStream s;
    if (!root.Save(&s)) __builtin_trap();
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    charfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream in;
    if (size) in.Write(data, int(size));
    in.Position = 0;
    hgl::TDFNode root;
    if (!root.Load(&in)) return 0;
    avg::CharManage chars(nullptr, nullptr);
    chars.LoadState(&root);
    const int active = chars.GetActiveIcon();
    if (active < -1 || active > 2 || (active >= 0 && !chars.GetIcons()->GetIcon(active))) __builtin_trap();
    chars.Draw();

    const std::vector<uint8_t> first = Saved(chars);
    hgl::MemStream again;
    again.Write(first.data(), int(first.size()));
    again.Position = 0;
    hgl::TDFNode reread;
    if (!reread.Load(&again) || !chars.LoadState(&reread)) __builtin_trap();
    if (Saved(chars) != first) __builtin_trap();
    return 0;
}
