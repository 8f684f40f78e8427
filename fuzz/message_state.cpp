// Bytes as a save tree holding the message window's nodes. Whatever they hold,
// loading ends without a crash, the line shown again can be drawn and passed,
// and what the window then saves loads again.
#include "MessageFuzz.h"

#include "io/MemStream.h"
#include "io/TDF.h"

#include <vector>

namespace
{
std::vector<uint8_t> Saved(avg::GameDialogBox &box)
{
    hgl::TDFNode root;
    if (!box.SaveState(&root)) __builtin_trap();
    hgl::MemStream s;
    if (!root.Save(&s)) __builtin_trap();
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    msgfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream in;
    if (size > 0 && !in.WriteFully(data, int(size))) return 0;
    in.SetPosition(0);
    hgl::TDFNode root;
    if (!root.Load(&in)) return 0;

    msgfuzz::Window w;
    w.box->SetTextSpeed(10000);
    w.box->LoadState(&root);
    w.Frames(3);
    for (int i = 0; i < w.box->GetMessageCount(); ++i)
        if (!w.box->GetMessage(i)) __builtin_trap();
    const std::vector<uint8_t> first = Saved(*w.box);

    hgl::MemStream again;
    if (!again.WriteFully(first.data(), int(first.size()))) __builtin_trap();
    again.SetPosition(0);
    hgl::TDFNode reread;
    msgfuzz::Window v;
    if (!reread.Load(&again) || !v.box->LoadState(&reread)) __builtin_trap();
    v.Frames(3);
    v.box->Advance(false);
    return 0;
}
