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
    for (int i = 0; i < 16; ++i) {
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

std::string Digest(const std::string &s) { return Digest(s.data(), s.size()); }

std::vector<uint8_t> Bytes(size_t n)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = uint8_t(i * 7 + 3);
    return v;
}

std::string DigestInPieces(const std::vector<uint8_t> &data, const std::vector<size_t> &pieces)
{
    MD5Context ctx;
    MD5Init(&ctx);
    size_t pos = 0, k = 0;
    while (pos < data.size()) {
        const size_t n = std::min(pieces[k++ % pieces.size()], data.size() - pos);
        MD5Update(&ctx, data.data() + pos, unsigned(n));
        pos += n;
    }
    unsigned char d[16];
    MD5Final(d, &ctx);
    return Hex(d);
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

TEST(MD5, LengthsAroundTheBlockEdges)
{
    const std::pair<size_t, const char *> cases[] = {
        {55, "52c0e574e1198de5fe3f8f11440dcb1b"}, // one final block
        {56, "46c9907fc908ee68b1e7b8e71286a518"}, // two final blocks
        {63, "a62f6d59e837867693f042f5b8f5a236"},
        {64, "7160b8fb5e9e4023d549c3971fbaeead"},
        {65, "70bd662e7aefbda85a0f7244167b7897"},
        {1000, "10046f077f2082ac19676b8079f1cb1a"},
        {100000, "59f08777fcd1aa2b8e0c8f892cfaae09"},
    };
    for (const auto &[n, want] : cases) {
        const auto data = Bytes(n);
        EXPECT_EQ(want, Digest(data.data(), n)) << n;
        EXPECT_EQ(want, DigestInPieces(data, {1})) << n;
        EXPECT_EQ(want, DigestInPieces(data, {63})) << n;
        EXPECT_EQ(want, DigestInPieces(data, {64})) << n;
        EXPECT_EQ(want, DigestInPieces(data, {1, 63, 64, 0, 130})) << n;
    }
}
