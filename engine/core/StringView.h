#pragma once
// hgl::StringView: UTF-16 text someone else holds, looked at without a copy. The
// one parameter type of the look-ups by name, so that a String, a terminated text,
// a std::u16string or a std::u16string_view each reach them as they are: nothing
// is allocated to turn one into another. A null text reads as empty. It is a
// std::u16string_view, with all of its comparisons and searches.
//
// It holds no text of its own: the text must outlive it (a view of a temporary is
// good for the statement that made it).
#include "core/Types.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hgl
{
class StringView : public std::u16string_view
{
  public:
    constexpr StringView() noexcept = default;
    constexpr StringView(std::u16string_view text) noexcept : std::u16string_view(text) {}
    constexpr StringView(const u16char *text) noexcept
        : std::u16string_view(text ? std::u16string_view(text) : std::u16string_view())
    {
    }
    constexpr StringView(const u16char *text, std::size_t length) noexcept
        : std::u16string_view(text ? std::u16string_view(text, length) : std::u16string_view())
    {
    }
    StringView(const std::u16string &text) noexcept : std::u16string_view(text) {}
};
} // namespace hgl
