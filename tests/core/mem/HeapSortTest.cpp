#include "core/HeapSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

using namespace hgl;

namespace
{
int CompareInt(void *, const void *a, const void *b, int)
{
    const int x = *static_cast<const int *>(a);
    const int y = *static_cast<const int *>(b);
    return (x > y) - (x < y);
}

// A comparison bound to an object that counts its calls.
struct CountingComparer
{
    long calls = 0;
    int expected_size = 0;
    bool size_ok = true;

    int Compare(const void *a, const void *b, int size)
    {
        ++calls;
        if (size != expected_size)
            size_ok = false;
        // The key is the first byte.
        return int(*static_cast<const uint8_t *>(a)) - int(*static_cast<const uint8_t *>(b));
    }
};

template<size_t Size> struct Element
{
    uint8_t bytes[Size];
    bool operator<(const Element &o) const { return std::memcmp(bytes, o.bytes, Size) < 0; }
    bool operator==(const Element &o) const { return std::memcmp(bytes, o.bytes, Size) == 0; }
};

// Sorts elements whose key is their first byte; every other byte is payload that
// must travel with its key.
template<size_t Size> void CheckElementSize(uint32_t seed)
{
    std::mt19937 gen(seed);
    std::vector<Element<Size>> v(5000);
    for (auto &e : v)
        for (auto &b : e.bytes)
            b = uint8_t(gen());

    auto original = v;
    CountingComparer cmp;
    cmp.expected_size = int(Size);
    HeapSort(v.data(), int(v.size()), int(Size), SortCompare::Make<&CountingComparer::Compare>(&cmp));

    EXPECT_TRUE(cmp.size_ok);
    EXPECT_GT(cmp.calls, 0);
    for (size_t i = 1; i < v.size(); ++i)
        ASSERT_LE(v[i - 1].bytes[0], v[i].bytes[0]) << "element size " << Size << " at " << i;

    // Same multiset of whole elements: no payload lost or mixed.
    auto a = v, b = original;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_TRUE(a == b) << "element size " << Size;
}

struct Keyed
{
    int key;
    int tag;
};

int CompareKeyed(void *, const void *a, const void *b, int)
{
    return static_cast<const Keyed *>(a)->key - static_cast<const Keyed *>(b)->key;
}

// The heap sort written out step by step on plain structs: the reference order of
// equal keys.
void ReferenceHeapSort(std::vector<Keyed> &v)
{
    const int count = int(v.size());
    Keyed temp;
    auto sift = [&](int p, int e) {
        temp = v[p];
        int c = 2 * p + 1;
        while (c <= e)
        {
            if (c < e && v[c].key - v[c + 1].key < 0)
                c = c + 1;
            if (temp.key - v[c].key < 0)
            {
                v[p] = v[c];
                p = c;
                c = 2 * p + 1;
            }
            else
                break;
        }
        v[p] = temp;
    };
    for (int i = count / 2 - 1; i >= 0; --i)
        sift(i, count - 1);
    for (int k = count - 1; k >= 1; --k)
    {
        temp = v[0];
        v[0] = v[k];
        v[k] = temp;
        sift(0, k - 1);
    }
}
} // namespace

TEST(HeapSort, SmallCasesAndNoOps)
{
    int v[5] = {5, 1, 4, 1, 3};
    HeapSort(v, 5, sizeof(int), nullptr, CompareInt);
    EXPECT_EQ((std::array<int, 5>{1, 1, 3, 4, 5}), std::to_array(v));

    int w[3] = {3, 2, 1};
    HeapSort(w, 0, sizeof(int), nullptr, CompareInt);
    HeapSort(w, 1, sizeof(int), nullptr, CompareInt);
    HeapSort(w, 3, 0, nullptr, CompareInt);
    HeapSort(w, 3, -4, nullptr, CompareInt);
    HeapSort(w, -3, sizeof(int), nullptr, CompareInt);
    HeapSort(nullptr, 3, sizeof(int), nullptr, CompareInt);
    HeapSort(w, 3, sizeof(int), SortCompare());   // unbound comparison
    EXPECT_EQ((std::array<int, 3>{3, 2, 1}), std::to_array(w));

    // The same sort with an object and its member function, and with a plain function.
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
    int d[5] = {5, 1, 4, 1, 3};
    HeapSort(d, 5, sizeof(int), &desc, &Descending::Compare);
    EXPECT_EQ((std::array<int, 5>{5, 4, 3, 1, 1}), std::to_array(d));
    EXPECT_GT(desc.calls, 0);
    HeapSort(d, 5, sizeof(int), &desc, &Descending::Ascending);
    EXPECT_EQ((std::array<int, 5>{1, 1, 3, 4, 5}), std::to_array(d));
    int p[5] = {5, 1, 4, 1, 3};
    HeapSort(p, 5, sizeof(int), [](const void *a, const void *b, int size) {
        return std::memcmp(a, b, size_t(size)) == 0 ? 0 : *static_cast<const int *>(a) - *static_cast<const int *>(b);
    });
    EXPECT_EQ((std::array<int, 5>{1, 1, 3, 4, 5}), std::to_array(p));
    HeapSort(p, 5, sizeof(int), static_cast<Descending *>(nullptr), &Descending::Compare);
    HeapSort(p, 5, sizeof(int), PlainSortCompare(nullptr));
    EXPECT_EQ((std::array<int, 5>{1, 1, 3, 4, 5}), std::to_array(p));

    int two[2] = {9, -9};
    HeapSort(two, 2, sizeof(int), nullptr, CompareInt);
    EXPECT_EQ(-9, two[0]);
    EXPECT_EQ(9, two[1]);
}

TEST(HeapSort, MillionIntsMatchStdSort)
{
    std::mt19937 gen(2024);
    std::vector<int> v(1000000);
    for (auto &x : v)
        x = int(gen());
    auto want = v;
    std::sort(want.begin(), want.end());

    HeapSort(v.data(), int(v.size()), sizeof(int), nullptr, CompareInt);
    EXPECT_TRUE(v == want);

    // Already sorted, reversed and constant input.
    std::vector<int> part(want.begin(), want.begin() + 100000);
    const auto sorted = part;
    HeapSort(part.data(), int(part.size()), sizeof(int), nullptr, CompareInt);
    EXPECT_TRUE(part == sorted);
    std::reverse(part.begin(), part.end());
    HeapSort(part.data(), int(part.size()), sizeof(int), nullptr, CompareInt);
    EXPECT_TRUE(part == sorted);

    std::vector<int> same(1001, 42);
    HeapSort(same.data(), int(same.size()), sizeof(int), nullptr, CompareInt);
    EXPECT_TRUE(std::all_of(same.begin(), same.end(), [](int x) { return x == 42; }));
}

TEST(HeapSort, ElementSizesOtherThanWords)
{
    CheckElementSize<1>(1);
    CheckElementSize<3>(3);
    CheckElementSize<12>(12);
    CheckElementSize<20>(20);
    CheckElementSize<100>(100);   // larger than any fixed-size fast path
}

TEST(HeapSort, EqualKeysComeOutInTheAlgorithmsOwnOrder)
{
    // Duplicate keys, each tagged with its original position.
    const int keys[] = {3, 1, 3, 2, 1, 3, 2, 2, 1, 3, 0, 2, 3, 1, 0, 2, 3, 1};
    std::vector<Keyed> v;
    for (int i = 0; i < int(std::size(keys)); ++i)
        v.push_back({keys[i], i});
    auto want = v;
    ReferenceHeapSort(want);

    HeapSort(v.data(), int(v.size()), sizeof(Keyed), nullptr, CompareKeyed);
    ASSERT_EQ(want.size(), v.size());
    for (size_t i = 0; i < v.size(); ++i)
    {
        EXPECT_EQ(want[i].key, v[i].key) << i;
        EXPECT_EQ(want[i].tag, v[i].tag) << i;
    }

    // The same for a random array with many duplicates.
    std::mt19937 gen(99);
    std::vector<Keyed> r;
    for (int i = 0; i < 2000; ++i)
        r.push_back({int(gen() % 10), i});
    auto rwant = r;
    ReferenceHeapSort(rwant);
    HeapSort(r.data(), int(r.size()), sizeof(Keyed), nullptr, CompareKeyed);
    for (size_t i = 0; i < r.size(); ++i)
        ASSERT_EQ(rwant[i].tag, r[i].tag) << i;
}

TEST(HeapSort, AnyCallableComparison)
{
    // A lambda with state and a function object serve as the comparison too.
    int calls = 0;
    double d[6] = {2.5, -1, 9, 0, 2.5, -7};
    HeapSort(d, 6, sizeof(double), [&calls](const void *a, const void *b, int) {
        ++calls;
        const double x = *static_cast<const double *>(a), y = *static_cast<const double *>(b);
        return x < y ? -1 : (x > y ? 1 : 0);
    });
    EXPECT_EQ((std::array<double, 6>{-7, -1, 0, 2.5, 2.5, 9}), std::to_array(d));
    EXPECT_GT(calls, 0);

    const std::function<int(const void *, const void *, int)> byByte = [](const void *a, const void *b, int) {
        return int(*static_cast<const unsigned char *>(a)) - int(*static_cast<const unsigned char *>(b));
    };
    unsigned char bytes[4] = {9, 3, 7, 1};
    HeapSort(bytes, 4, 1, byByte);
    EXPECT_EQ((std::array<unsigned char, 4>{1, 3, 7, 9}), std::to_array(bytes));

    calls = 0;
    int none[3] = {3, 2, 1};
    HeapSort(none, 1, sizeof(int), [&calls](const void *, const void *, int) { return ++calls; });
    HeapSort(none, 3, 0, [&calls](const void *, const void *, int) { return ++calls; });
    EXPECT_EQ(0, calls);
    EXPECT_EQ((std::array<int, 3>{3, 2, 1}), std::to_array(none));
}
