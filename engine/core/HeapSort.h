#pragma once
// Generic in-place heap sort of fixed-size elements, driven by a bound comparison.
#include <memory>
#include <type_traits>

#include "core/BoundMethod.h"

namespace hgl
{
// compare(a, b, size): negative when a orders before b, 0 when equal, positive after.
using SortCompare = BoundMethod<int(const void *, const void *, int)>;

// Sorts count elements of size bytes each at base into ascending order of compare.
// Nothing happens when base is null, count < 2, size < 1 or compare is unbound.
// The sort is not stable; the order of equal keys is fixed by the algorithm.
void HeapSort(void *base, int count, int size, const SortCompare &compare);

// The same with a plain function taking the object as its first argument.
inline void HeapSort(void *base, int count, int size, void *object,
                     int (*compare)(void *object, const void *a, const void *b, int size))
{
    HeapSort(base, count, size, SortCompare(object, compare));
}

// The same with an object and one of its member functions given at run time:
// HeapSort(data, n, sizeof(Item), &sorter, &Sorter::Compare).
template <typename Owner, typename Method>
requires std::is_member_function_pointer_v<Method>
void HeapSort(void *base, int count, int size, Owner *object, Method compare)
{
    struct Call
    {
        Owner *object;
        Method method;
    } call{object, compare};

    if (!object || !compare) return;
    HeapSort(base, count, size,
             SortCompare(&call,
                         [](void *c, const void *a, const void *b, int n) -> int
                         {
                             Call *bound = static_cast<Call *>(c);
                             return (bound->object->*bound->method)(a, b, n);
                         }));
}

// The same with a plain comparison function.
using PlainSortCompare = int (*)(const void *a, const void *b, int size);

inline void HeapSort(void *base, int count, int size, PlainSortCompare compare)
{
    if (!compare) return;
    HeapSort(base, count, size,
             SortCompare(&compare,
                         [](void *f, const void *a, const void *b, int n) -> int
                         { return (*static_cast<PlainSortCompare *>(f))(a, b, n); }));
}

// The same with any other callable of that shape (a capturing lambda, a function
// object); it only has to live for the call.
template <typename F>
requires(std::is_invocable_r_v<int, F &, const void *, const void *, int> &&
         !std::is_convertible_v<F, PlainSortCompare> &&
         !std::is_convertible_v<F, const SortCompare &>) void HeapSort(void *base, int count, int size,
                                                                       F &&compare)
{
    using Callable = std::remove_reference_t<F>;
    HeapSort(base, count, size,
             SortCompare(const_cast<void *>(static_cast<const void *>(std::addressof(compare))),
                         [](void *f, const void *a, const void *b, int n) -> int
                         { return (*static_cast<Callable *>(f))(a, b, n); }));
}
} // namespace hgl
