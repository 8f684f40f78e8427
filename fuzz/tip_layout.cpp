// Bytes as a UTF-16 tip text: split into title and body, then both set in columns
// with made-up advances. The split loses nothing but its one colon, the title
// holds no colon of the kind that split it, every character but the body's commas
// is placed, each comma moving the column left and back to the top.
#include "game/screens/extras/TipLayout.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace
{
bool IsColon(char16_t c)
{
    return c == u':' || c == u'\uFF1A';
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(data[2 * i] | data[2 * i + 1] << 8);
    const size_t nul = text.find(u'\0');
    if (nul != std::u16string::npos) text.resize(nul); // engine strings end there

    hgl::String title, body;
    avg::tips::SplitTipText(hgl::String(text), title, body);
    const std::u16string t = title.ToStdString(), b = body.ToStdString();
    const bool split =
        text.find(u'\uFF1A') != std::u16string::npos || text.find(u':') != std::u16string::npos;
    if (split)
    {
        if (t.size() + 1 + b.size() != text.size() || text.compare(0, t.size(), t) != 0 ||
            !IsColon(text[t.size()]) || text.compare(t.size() + 1, b.size(), b) != 0)
            __builtin_trap();
        const char16_t used = text[t.size()];
        if (t.find(u'\uFF1A') != std::u16string::npos) __builtin_trap();
        if (used == u':' && text.find(u'\uFF1A') != std::u16string::npos) __builtin_trap();
    }
    else if (!t.empty() || b != text)
        __builtin_trap();

    const int top = 290, step = 31;
    const float centre = 1342, shift = 64;
    // Where each body character must land, counted independently.
    std::vector<std::pair<float, int>> expected;
    float column = centre;
    int y = top;
    for (char16_t c : b)
    {
        if (avg::tips::IsColumnBreak(c))
        {
            column -= shift;
            y = top;
            continue;
        }
        expected.push_back({column, y});
        y += step;
    }
    size_t placed = 0;
    avg::tips::WalkColumns(
        body, centre, top, step, shift, true, [](hgl::u16char ch) { return int(ch % 41); },
        [&](hgl::u16char ch, float x, int at)
        {
            if (avg::tips::IsColumnBreak(ch) || placed >= expected.size()) __builtin_trap();
            const float c = x + float(ch % 41) / 2;
            if (std::fabs(c - expected[placed].first) > 1e-2f || at != expected[placed].second)
                __builtin_trap();
            ++placed;
        });
    if (placed != expected.size()) __builtin_trap();

    size_t title_placed = 0;
    avg::tips::WalkColumns(
        title, 1476, top, step, shift, false, [](hgl::u16char) { return 0; },
        [&](hgl::u16char, float x, int y)
        {
            if (x != 1476 || y != top + int(title_placed) * step) __builtin_trap();
            ++title_placed;
        });
    if (title_placed != t.size()) __builtin_trap();
    return 0;
}
