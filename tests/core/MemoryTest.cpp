#include "core/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace hgl;

namespace
{
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
