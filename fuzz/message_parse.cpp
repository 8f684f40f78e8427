// Bytes as a message (UTF-16LE units) shown by each of the four message functions
// and drawn, then the same while skipping: whatever the markup, the window ends
// with its reveal in range and the text complete after enough frames (centred
// text, revealed at its own slow pace, only while skipping).
#include "MessageFuzz.h"

#include <string>

namespace
{
// Enough for a box to fade in (0.02 a frame) and any text to be revealed.
constexpr int kFadeFrames = 60;
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    msgfuzz::Prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2)
    {
        const char16_t c = char16_t(data[i] | (data[i + 1] << 8));
        if (c) text += c;
    }
    msgfuzz::Window w;
    w.box->SetTextSpeed(10000);
    auto check = [&]
    {
        const float shown = w.box->GetShownCount();
        if (shown < 0 || shown > float(w.box->GetMakeup().Count.Get())) __builtin_trap();
        w.Frames(w.box->IsModeChanged() ? kFadeFrames : 3);
        // Centred text is revealed at a third of a character a frame, whatever the speed.
        if (!w.box->IsTextComplete() && !(w.box->IsCentred() && !w.box->IsSkipping())) __builtin_trap();
        w.box->Advance(false);
    };
    w.box->ShowMessageFunc(u"ABCDE", u"XY_1", text.c_str());
    check();
    w.box->ShowMessageLFunc(nullptr, nullptr, text.c_str());
    check();
    w.box->MESCFunc(text.c_str());
    check();
    for (int i = 0; i < 3; ++i)
    {
        w.box->MESFunc(text.c_str());
        check();
    }
    w.box->BeginSkip();
    w.box->ShowMessageFunc(nullptr, u"", text.c_str());
    check();
    w.box->MESFunc(text.c_str());
    check();
    w.box->ParseMessage(hgl::String(text));
    return 0;
}
