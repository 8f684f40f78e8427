#pragma once
// Helpers shared by the script compiler's statement and condition parts. The
// compiler itself is made of DevilEngine::LoadScript and the Parse* members of
// DevilFunc.
#include "core/Types.h"

#include <string>
#include <string_view>

namespace hgl
{
// Deepest nesting of conditions a function body may have. Every level recurses
// once through the condition and the body compiler, so crafted text could
// otherwise exhaust the stack; deeper text fails the function instead.
constexpr int DEVIL_MAX_IF_NESTING = 256;

// A NUL-terminated copy of a token (the reader hands out views into the script),
// for the text-to-number conversions and the log. Short tokens need no allocation.
class DevilTokenText
{
    u16char small[48];
    std::u16string large;
    const u16char *text;

  public:
    explicit DevilTokenText(std::u16string_view token, std::u16string_view prefix = {})
    {
        const size_t n = prefix.size() + token.size();
        if (n < sizeof(small) / sizeof(small[0]))
        {
            prefix.copy(small, prefix.size());
            token.copy(small + prefix.size(), token.size());
            small[n] = 0;
            text = small;
        }
        else
        {
            large.reserve(n);
            large.append(prefix);
            large.append(token);
            text = large.c_str();
        }
    }
    DevilTokenText(const DevilTokenText &) = delete;
    DevilTokenText &operator=(const DevilTokenText &) = delete;

    const u16char *c_str() const { return text; }
};
} // namespace hgl
