#pragma once
// How the keyed containers (sorted maps, caches) compare keys and values: through
// Comp where the type has one (String and the like), otherwise through the
// built-in operators.
#include <concepts>

namespace hgl::key_compare
{
// Negative when a sorts before b, 0 when equal, positive after.
template <typename K> int CompareKey(const K &a, const K &b)
{
    if constexpr (requires {
                      {
                          a.Comp(b)
                          } -> std::convertible_to<int>;
                  })
        return a.Comp(b);
    else
        return a < b ? -1 : (b < a ? 1 : 0);
}

template <typename V> bool SameValue(const V &a, const V &b)
{
    if constexpr (requires {
                      {
                          a.Comp(b)
                          } -> std::convertible_to<int>;
                  })
        return a.Comp(b) == 0;
    else
        return a == b;
}
} // namespace hgl::key_compare
