// Any text: the recogniser covers it with tokens of length 1..rest, and the reader
// walks to the end in at most one step per unit.
#include "script/Tokenizer.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The input is UTF-16LE; an odd last byte is dropped.
    std::vector<hgl::u16char> text(size / 2);
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = hgl::u16char(data[2 * i] | (data[2 * i + 1] << 8));

    angle_script::asCTokenizer tz;
    size_t pos = 0;
    while (pos < text.size())
    {
        hgl::uint32 len = 0;
        const int t = tz.GetToken(text.data() + pos, hgl::uint32(text.size() - pos), &len);
        if (len < 1 || len > text.size() - pos || t < 0 || t > 98 || t == angle_script::ttEnd) std::abort();
        pos += len;
    }

    hgl::DevilParse p(nullptr, std::u16string_view(text.data(), text.size()));
    std::u16string_view v;
    size_t steps = 0;
    while (p.GetCharsLeft() > 0)
    {
        const hgl::uint32 before = p.GetCharsLeft();
        const int t = p.GetToken(v);
        if (p.GetCharsLeft() >= before) std::abort();
        if (t != angle_script::ttEnd &&
            (v.data() < text.data() || v.data() + v.size() > text.data() + text.size()))
            std::abort();
        if (++steps > text.size()) std::abort();
    }
    if (p.GetToken(v) != angle_script::ttEnd) std::abort();

    std::u16string out;
    hgl::UnescapeString(out, text.data(), int(text.size()));
    if (out.size() > text.size()) std::abort();
    return 0;
}
