// Bytes as a UTF-16 message text stripped of its markup for the backlog: the
// text never grows, and the inline pictures and line feeds are always gone.
#include "game/screens/stage/HistoryUnit.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    hgl::String s(text.c_str(), int(text.size()));
    const int before = s.GetLength();
    HistoryUnit::StripMarkup(s);
    if (s.GetLength() > before) __builtin_trap();
    for (int i = 0; i < s.GetLength(); ++i)
    {
        const char16_t c = s.GetChar(i);
        if (c == u'＃' || c == u'￥' || c == u'\n') __builtin_trap();
    }
    return 0;
}
