// The MD5 building blocks used one by one: the initial state, one transform of a
// hand-padded block (as bytes and as words), and empty updates.
#include "io/MD5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

using namespace hgl;

namespace
{
bool SameDigest(const unsigned char d[16], const char *hex)
{
    for (int i = 0; i < 16; ++i)
    {
        unsigned v;
        if (std::sscanf(hex + 2 * i, "%2x", &v) != 1 || v != d[i]) return false;
    }
    return true;
}
} // namespace

TEST(MD5Edge, PiecesOneByOne)
{
    MD5Context ctx;
    std::memset(&ctx, 0xAB, sizeof(ctx));
    MD5Init(&ctx);
    EXPECT_EQ(ctx.state[0], 0x67452301u);
    EXPECT_EQ(ctx.state[1], 0xefcdab89u);
    EXPECT_EQ(ctx.state[2], 0x98badcfeu);
    EXPECT_EQ(ctx.state[3], 0x10325476u);
    EXPECT_EQ(ctx.count[0], 0u);
    EXPECT_EQ(ctx.count[1], 0u);

    // The empty message is one block: 0x80, zeros, a bit count of 0.
    uint8 block[64] = {0x80};
    uint32 state[4] = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
    MD5Transform(state, block);
    unsigned char digest[16];
    std::memcpy(digest, state, 16);
    EXPECT_TRUE(SameDigest(digest, "d41d8cd98f00b204e9800998ecf8427e"));

    // "abc" padded by hand, given as words.
    uint32 words[16] = {};
    words[0] = 0x80636261u;   // 'a' 'b' 'c' 0x80
    words[14] = 24;           // the bit count
    uint32 s2[4] = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};
    MD5Transform(s2, words);
    std::memcpy(digest, s2, 16);
    EXPECT_TRUE(SameDigest(digest, "900150983cd24fb0d6963f7d28e17f72"));

    // Empty updates change nothing; the bit count counts bits.
    MD5Update(&ctx, nullptr, 0);
    MD5Update(&ctx, "", 0);
    MD5Update(&ctx, "abc", 3);
    EXPECT_EQ(ctx.count[0], 24u);
    MD5Update(&ctx, nullptr, 0);
    MD5Final(digest, &ctx);
    EXPECT_TRUE(SameDigest(digest, "900150983cd24fb0d6963f7d28e17f72"));

    unsigned char one[16];
    MD5Digest(nullptr, 0, one);
    EXPECT_TRUE(SameDigest(one, "d41d8cd98f00b204e9800998ecf8427e"));
}
