#include "core/Memory.h"

#include <gtest/gtest.h>

#include <string>

#include <cstring>
#include <random>
#include <vector>

using namespace hgl;

namespace
{
std::vector<uint8_t> Pattern(size_t n, uint32_t seed)
{
    std::mt19937 gen(seed);
    std::vector<uint8_t> v(n);
    for (auto &b : v)
        b = uint8_t(gen());
    return v;
}

// Copies size bytes between the given alignments inside guarded buffers and compares
// the whole destination (guards included) with what memcpy produces.
void CheckCopy(size_t size, size_t src_align, size_t dst_align)
{
    const size_t span = size + 64;
    auto src = Pattern(span, uint32_t(size * 31 + src_align));
    std::vector<uint8_t> got(span + 16, 0xCD), want(span + 16, 0xCD);

    // Base buffers from the vector are 16-byte aligned on glibc; offsets pick the alignment.
    FastMemCopy(got.data() + dst_align, src.data() + src_align, int(size));
    std::memcpy(want.data() + dst_align, src.data() + src_align, size);

    ASSERT_EQ(got, want) << "size " << size << " src+" << src_align << " dst+" << dst_align;
}

void CheckFill(size_t size, size_t align, unsigned char value)
{
    std::vector<uint8_t> got(size + 32, 0x5A), want(size + 32, 0x5A);
    FastMemFill(got.data() + align, value, int(size));
    std::memset(want.data() + align, value, size);
    ASSERT_EQ(got, want) << "size " << size << " align " << align;
}
} // namespace

TEST(Memory, CopyAndFillAtEverySmallSizeAndAlignment)
{
    for (size_t size = 0; size <= 300; ++size)
        for (size_t sa = 0; sa < 16; ++sa)
            for (size_t da = 0; da < 16; ++da)
                CheckCopy(size, sa, da);

    for (size_t size = 0; size <= 300; ++size)
        for (size_t a = 0; a < 16; ++a)
            CheckFill(size, a, uint8_t(size + a));
}

TEST(Memory, CopyAndFillAroundTheBlockThresholds)
{
    for (size_t size : {16u, 17u, 63u, 64u, 65u, 2047u, 2048u, 2049u, 4095u, 4096u, 4097u, 10003u, 1u << 20})
        for (size_t sa : {0u, 3u, 8u})
            for (size_t da : {0u, 3u, 8u})
                CheckCopy(size, sa, da);

    // 10,000 bytes starting 3 bytes past an 8-byte boundary on both sides.
    CheckCopy(10000, 3, 3);

    for (size_t size : {70u, 4095u, 4097u, 10003u})
        for (size_t a : {0u, 1u, 3u, 7u})
            CheckFill(size, a, 0xE7);
}

TEST(Memory, NothingHappensForEmptyOrNegativeSizes)
{
    uint8_t buf[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t src[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    const uint8_t orig[8] = {1, 2, 3, 4, 5, 6, 7, 8};

    FastMemFill(buf, 0, 0);
    FastMemFill(buf, 0, -5);
    FastMemCopy(buf, src, 0);
    FastMemCopy(buf, src, -1);
    MemMove(buf, src, -3);
    Fill16(reinterpret_cast<uint16 *>(buf), 7, -1);
    Fill32(reinterpret_cast<uint32 *>(buf), 7, 0);
    Copy16(reinterpret_cast<uint16 *>(buf), reinterpret_cast<const uint16 *>(src), -2);
    Copy32(reinterpret_cast<uint32 *>(buf), reinterpret_cast<const uint32 *>(src), 0);
    Move32(reinterpret_cast<uint32 *>(buf), reinterpret_cast<const uint32 *>(src), -4);
    EXPECT_EQ(0, std::memcmp(buf, orig, 8));
}

TEST(Memory, MoveHandlesOverlapsBothWays)
{
    // The simple cases: 10 bytes moved up by 3 and down by 3.
    {
        uint8_t a[16], b[16];
        for (int i = 0; i < 16; ++i)
            a[i] = b[i] = uint8_t(i);
        MemMove(a + 3, a, 10);
        std::memmove(b + 3, b, 10);
        EXPECT_EQ(0, std::memcmp(a, b, 16));
        MemMove(a, a + 3, 10);
        std::memmove(b, b + 3, 10);
        EXPECT_EQ(0, std::memcmp(a, b, 16));
    }

    std::mt19937 gen(12345);
    const size_t N = 600;
    for (int round = 0; round < 3000; ++round)
    {
        auto got = Pattern(N, uint32_t(round));
        auto want = got;
        const size_t len = gen() % 300;
        const size_t from = gen() % (N - len);
        const size_t to = gen() % (N - len);
        MemMove(got.data() + to, got.data() + from, int(len));
        std::memmove(want.data() + to, want.data() + from, len);
        ASSERT_EQ(got, want) << "len " << len << " from " << from << " to " << to;
    }

    for (int round = 0; round < 3000; ++round)
    {
        std::vector<uint32> got(200), want;
        for (auto &w : got)
            w = uint32(gen());
        want = got;
        const size_t len = gen() % 100;
        const size_t from = gen() % (200 - len);
        const size_t to = gen() % (200 - len);
        Move32(got.data() + to, got.data() + from, int(len));
        std::memmove(want.data() + to, want.data() + from, len * 4);
        ASSERT_EQ(got, want) << "len " << len << " from " << from << " to " << to;
    }
}

TEST(Memory, CompareGivesTheUnsignedByteDifference)
{
    const uint8_t lo[1] = {0x01}, hi[1] = {0xFF};
    EXPECT_EQ(-254, MemCompare(lo, hi, 1));
    EXPECT_EQ(254, MemCompare(hi, lo, 1));
    EXPECT_EQ(0, MemCompare(lo, hi, 0));

    // Differences found past the first words, at every position, as unsigned bytes.
    std::mt19937 gen(7);
    for (int size = 1; size <= 70; ++size)
    {
        auto a = Pattern(size_t(size), uint32_t(size));
        EXPECT_EQ(0, MemCompare(a.data(), a.data(), size));
        auto copy = a;
        EXPECT_EQ(0, MemCompare(a.data(), copy.data(), size));
        for (int pos = 0; pos < size; ++pos)
        {
            auto b = a;
            b[size_t(pos)] = uint8_t(b[size_t(pos)] + 1 + gen() % 255);
            // A later difference must not hide the first one.
            if (pos + 1 < size)
                b[size_t(size - 1)] ^= 0x80;
            EXPECT_EQ(int(a[size_t(pos)]) - int(b[size_t(pos)]), MemCompare(a.data(), b.data(), size))
                << "size " << size << " pos " << pos;
        }
    }
}

TEST(Memory, SixteenAndThirtyTwoBitFillAndCopy)
{
    uint16 w16[10] = {};
    Fill16(w16 + 1, 0xBEEF, 8);
    EXPECT_EQ(0, w16[0]);
    EXPECT_EQ(0, w16[9]);
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(0xBEEF, w16[i]);

    uint16 c16[10] = {};
    Copy16(c16, w16, 10);
    EXPECT_EQ(0, std::memcmp(c16, w16, sizeof(w16)));

    uint32 w32[10] = {};
    Fill32(w32 + 2, 0xDEADBEEFu, 7);
    EXPECT_EQ(0u, w32[1]);
    EXPECT_EQ(0u, w32[9]);
    for (int i = 2; i <= 8; ++i)
        EXPECT_EQ(0xDEADBEEFu, w32[i]);

    uint32 c32[10] = {};
    Copy32(c32, w32, 10);
    EXPECT_EQ(0, std::memcmp(c32, w32, sizeof(w32)));

    // Text buffers take the same routines without a cast.
    u16char text[6] = u"hello";
    u16char copy[6] = {};
    Copy16(copy, text, 6);
    EXPECT_EQ(std::u16string(u"hello"), std::u16string(copy));
    Fill16(copy + 1, u'z', 3);
    EXPECT_EQ(std::u16string(u"hzzzo"), std::u16string(copy));
    Fill16(copy, u'x', 0);
    Fill16(copy, u'x', -2);
    Copy16(copy, text, -1);
    EXPECT_EQ(std::u16string(u"hzzzo"), std::u16string(copy));
    Fill32(c32, 1u, -3);
    Copy32(c32, w32 + 1, 0);
    EXPECT_EQ(0, std::memcmp(c32, w32, sizeof(w32)));
}
