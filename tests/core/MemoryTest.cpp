#include "core/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
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
} // namespace

// Copies and fills between the given alignments inside guarded buffers and compares the
// whole destination (guards included) with what the C library produces. Base buffers
// from the vector are 16-byte aligned on glibc; offsets pick the alignment.
TEST(Memory, CopyAndFillMatchTheCLibrary)
{
    auto check = [](size_t size, size_t sa, size_t da) {
        auto src = Pattern(size + 64, uint32_t(size * 31 + sa));
        std::vector<uint8_t> got(size + 80, 0xCD), want = got;
        FastMemCopy(got.data() + da, src.data() + sa, int(size));
        std::memcpy(want.data() + da, src.data() + sa, size);
        ASSERT_EQ(got, want) << "copy size " << size << " src+" << sa << " dst+" << da;
        FastMemFill(got.data() + sa, uint8_t(size + da), int(size));
        std::memset(want.data() + sa, uint8_t(size + da), size);
        ASSERT_EQ(got, want) << "fill size " << size << " at+" << sa;
    };
    // Every small size and alignment, then around the block thresholds.
    for (size_t size = 0; size <= 300; ++size)
        for (size_t sa = 0; sa < 16; ++sa)
            for (size_t da = 0; da < 16; ++da)
                check(size, sa, da);
    for (size_t size : {2047u, 2048u, 2049u, 4095u, 4096u, 4097u, 10000u, 10003u, 1u << 20})
        for (size_t sa : {0u, 3u, 8u})
            for (size_t da : {0u, 3u, 8u})
                check(size, sa, da);
}

TEST(Memory, NothingHappensForEmptyOrNegativeSizes)
{
    uint8_t buf[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t src[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    const uint8_t orig[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    auto *b16 = reinterpret_cast<uint16 *>(buf);
    auto *b32 = reinterpret_cast<uint32 *>(buf);
    FastMemFill(buf, 0, 0);
    FastMemFill(buf, 0, -5);
    FastMemCopy(buf, src, 0);
    FastMemCopy(buf, src, -1);
    MemMove(buf, src, -3);
    Fill16(b16, 7, -1);
    Fill16(reinterpret_cast<u16char *>(buf), u'x', 0);
    Copy16(b16, reinterpret_cast<const uint16 *>(src), -2);
    Fill32(b32, 7, 0);
    Copy32(b32, reinterpret_cast<const uint32 *>(src), 0);
    Move32(b32, reinterpret_cast<const uint32 *>(src), -4);
    EXPECT_EQ(0, std::memcmp(buf, orig, 8));
    EXPECT_EQ(0, MemCompare(src, orig, 0));
}

TEST(Memory, MoveHandlesOverlapsBothWays)
{
    std::mt19937 gen(12345);
    for (int round = 0; round < 3000; ++round) {
        auto got = Pattern(600, uint32_t(round));
        auto want = got;
        const size_t len = gen() % 300, from = gen() % (600 - len), to = gen() % (600 - len);
        MemMove(got.data() + to, got.data() + from, int(len));
        std::memmove(want.data() + to, want.data() + from, len);
        ASSERT_EQ(got, want) << "len " << len << " from " << from << " to " << to;

        std::vector<uint32> got32(200), want32;
        for (auto &w : got32)
            w = uint32(gen());
        want32 = got32;
        const size_t len32 = gen() % 100, from32 = gen() % (200 - len32), to32 = gen() % (200 - len32);
        Move32(got32.data() + to32, got32.data() + from32, int(len32));
        std::memmove(want32.data() + to32, want32.data() + from32, len32 * 4);
        ASSERT_EQ(got32, want32) << "len " << len32 << " from " << from32 << " to " << to32;
    }
}

TEST(Memory, CompareGivesTheUnsignedByteDifference)
{
    const uint8_t lo[1] = {0x01}, hi[1] = {0xFF};
    EXPECT_EQ(-254, MemCompare(lo, hi, 1));
    EXPECT_EQ(254, MemCompare(hi, lo, 1));

    // Differences found past the first words, at every position, as unsigned bytes.
    std::mt19937 gen(7);
    for (int size = 1; size <= 70; ++size) {
        auto a = Pattern(size_t(size), uint32_t(size));
        auto copy = a;
        EXPECT_EQ(0, MemCompare(a.data(), copy.data(), size));
        for (int pos = 0; pos < size; ++pos) {
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
    uint16 w16[10] = {}, c16[10] = {};
    Fill16(w16 + 1, 0xBEEF, 8);
    Copy16(c16, w16, 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ((i >= 1 && i <= 8) ? 0xBEEF : 0, c16[i]) << i;

    uint32 w32[10] = {}, c32[10] = {};
    Fill32(w32 + 2, 0xDEADBEEFu, 7);
    Copy32(c32, w32, 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ((i >= 2 && i <= 8) ? 0xDEADBEEFu : 0u, c32[i]) << i;

    // Text buffers take the same routines without a cast.
    u16char text[6] = u"hello", copy[6] = {};
    Copy16(copy, text, 6);
    Fill16(copy + 1, u'z', 3);
    EXPECT_EQ(std::u16string(u"hzzzo"), std::u16string(copy));
}
