// Bytes as a save tree holding the message window's nodes. Whatever they hold,
// loading ends without a crash, the line shown again can be drawn and passed,
// and what the window then saves loads again.
#include "TreeFuzz.h"
#include "MessageFuzz.h"

#include <vector>

namespace
{
std::vector<uint8_t> Saved(avg::GameDialogBox &box)
{
    hgl::TDFNode root;
    if (!box.SaveState(&root)) __builtin_trap();
    return treefuzz::Bytes(root);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    msgfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::TDFNode root;
    if (!treefuzz::Read(data, size, root)) return 0;

    msgfuzz::Window w;
    w.box->SetTextSpeed(10000);
    w.box->LoadState(&root);
    w.Frames(3);
    for (int i = 0; i < w.box->GetMessageCount(); ++i)
        if (!w.box->GetMessage(i)) __builtin_trap();
    const std::vector<uint8_t> first = Saved(*w.box);

    hgl::TDFNode reread;
    msgfuzz::Window v;
    if (!treefuzz::Read(first.data(), first.size(), reread) || !v.box->LoadState(&reread)) __builtin_trap();
    v.Frames(3);
    v.box->Advance(false);
    return 0;
}
