#pragma once
// Generic in-place heap sort of fixed-size elements, driven by a bound comparison.
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
} // namespace hgl
