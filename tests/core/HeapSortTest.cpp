#include "core/HeapSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

using namespace hgl;

namespace
{
int CompareInt(void *, const void *a, const void *b, int)
{
    const int x = *static_cast<const int *>(a), y = *static_cast<const int *>(b);
    return (x > y) - (x < y);
}

} // namespace

TEST(HeapSort, EveryComparisonFormAndTheNoOps)
{
    using Five = std::array<int, 5>;
    const Five ascending{1, 1, 3, 4, 5};
    Five v{5, 1, 4, 1, 3};
    HeapSort(v.data(), 5, sizeof(int), nullptr, CompareInt);
    EXPECT_EQ(ascending, v);

    struct Descending
    {
        int calls = 0;
        int Compare(const void *a, const void *b, int)
        {
            ++calls;
            return *static_cast<const int *>(b) - *static_cast<const int *>(a);
        }
        int Ascending(const void *a, const void *b, int) const
        {
            return *static_cast<const int *>(a) - *static_cast<const int *>(b);
        }
    } desc;
    HeapSort(v.data(), 5, sizeof(int), &desc, &Descending::Compare);
    EXPECT_EQ((Five{5, 4, 3, 1, 1}), v);
    EXPECT_GT(desc.calls, 0);
    HeapSort(v.data(), 5, sizeof(int), &desc, &Descending::Ascending);
    EXPECT_EQ(ascending, v);
    // A capturing lambda and a function object serve as the comparison too.
    int calls = 0;
    v = {5, 1, 4, 1, 3};
    HeapSort(v.data(), 5, sizeof(int),
             [&calls](const void *a, const void *b, int)
             {
                 ++calls;
                 return *static_cast<const int *>(a) - *static_cast<const int *>(b);
             });
    EXPECT_EQ(ascending, v);
    EXPECT_GT(calls, 0);

    // Nothing happens (and nothing is compared) for a null base, count < 2, size < 1
    // or no comparison.
    calls = 0;
    auto counting = [&calls](const void *, const void *, int) { return ++calls; };
    std::array<int, 3> w{3, 2, 1};
    HeapSort(w.data(), 0, sizeof(int), counting);
    HeapSort(w.data(), 1, sizeof(int), counting);
    HeapSort(w.data(), -3, sizeof(int), counting);
    HeapSort(w.data(), 3, 0, counting);
    HeapSort(w.data(), 3, -4, counting);
    HeapSort(nullptr, 3, sizeof(int), counting);
    HeapSort(w.data(), 3, sizeof(int), SortCompare());
    HeapSort(w.data(), 3, sizeof(int), static_cast<Descending *>(nullptr), &Descending::Compare);
    HeapSort(w.data(), 3, sizeof(int), PlainSortCompare(nullptr));
    EXPECT_EQ(0, calls);
    EXPECT_EQ((std::array<int, 3>{3, 2, 1}), w);
    HeapSort(w.data(), 2, sizeof(int), nullptr, CompareInt); // the smallest count that sorts
    EXPECT_EQ((std::array<int, 3>{2, 3, 1}), w);
}
