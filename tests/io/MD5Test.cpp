#include "io/MD5.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace hgl;

namespace
{

std::string Hex(const void *digest)
{
    static const char digits[] = "0123456789abcdef";
    const auto *d = static_cast<const unsigned char *>(digest);
    std::string s;
    for (int i = 0; i < 16; ++i)
    {
        s += digits[d[i] >> 4];
        s += digits[d[i] & 15];
    }
    return s;
}

std::string Digest(const void *data, size_t size)
{
    unsigned char d[16];
    MD5Digest(data, unsigned(size), d);
    return Hex(d);
}

std::string Digest(const std::string &s)
{
    return Digest(s.data(), s.size());
}

} // namespace

TEST(MD5, ReferenceSuite)
{
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", Digest(""));
    EXPECT_EQ("0cc175b9c0f1b6a831c399e269772661", Digest("a"));
    EXPECT_EQ("900150983cd24fb0d6963f7d28e17f72", Digest("abc"));
    EXPECT_EQ("f96b697d7cb7938d525a2f31aaf161d0", Digest("message digest"));
    EXPECT_EQ("c3fcd3d76192e4007dfb496cca67e13b", Digest("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ("d174ab98d277d9f5a5611c2c9f419d9f",
              Digest("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"));
    EXPECT_EQ("57edf4a22be3c955ac49da2e2107b67a",
              Digest("12345678901234567890123456789012345678901234567890123456789012345678901234567890"));

    // A message text as the game digests it: its UTF-16 units.
    const char16_t text[] = u"你好";
    EXPECT_EQ("bda2556346d512a3d529d0e88725cff5", Digest(text, 4));

    // Null data with size 0 is the empty message.
    EXPECT_EQ("d41d8cd98f00b204e9800998ecf8427e", Digest(nullptr, 0));
}

TEST(MD5, MessagesAroundTheBlockAndPaddingBounds)
{
    // Digests of n letters 'a', as md5sum gives them.
    const struct
    {
        size_t n;
        const char *digest;
    } cases[] = {
        {55, "ef1772b6dff9a122358552954ad0df65"}, {56, "3b0c8ac703f828b04c6c197006d17218"},
        {57, "652b906d60af96844ebd21b674f35e93"}, {63, "b06521f39153d618550606be297466d5"},
        {64, "014842d480b571495a4a0363793f7367"}, {65, "c743a45e0d2e6a95cb859adae0248435"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Digest(std::string(c.n, 'a')), c.digest) << c.n << " bytes";
}
