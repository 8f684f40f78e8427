#pragma once
// Generic in-place heap sort of fixed-size elements, driven by a bound comparison.
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
template<typename Owner, typename Method>
    requires std::is_member_function_pointer_v<Method>
void HeapSort(void *base, int count, int size, Owner *object, Method compare)
{
    struct Call
    {
        Owner *object;
        Method method;
    } call{object, compare};

    if (!object || !compare)
        return;
    HeapSort(base, count, size, SortCompare(&call, [](void *c, const void *a, const void *b, int n) -> int {
                 Call *bound = static_cast<Call *>(c);
                 return (bound->object->*bound->method)(a, b, n);
             }));
}

// The same with a plain comparison function.
using PlainSortCompare = int (*)(const void *a, const void *b, int size);

inline void HeapSort(void *base, int count, int size, PlainSortCompare compare)
{
    if (!compare)
        return;
    HeapSort(base, count, size, SortCompare(&compare, [](void *f, const void *a, const void *b, int n) -> int {
                 return (*static_cast<PlainSortCompare *>(f))(a, b, n);
             }));
}
} // namespace hgl
