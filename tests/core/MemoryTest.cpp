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
