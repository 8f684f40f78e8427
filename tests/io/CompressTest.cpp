#include "PlugInTestSupport.h"

#include "io/Compress.h"

#include <climits>
#include <random>

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using Bytes = std::vector<uint8_t>;

namespace
{
using CompressTest = PlugInFixture;

#ifndef HGL_HAVE_LZO
#define HGL_HAVE_LZO 1
#endif

// The methods the project builds a plug-in for (Lzo unless the build was told to do
// without liblzo2).
const std::vector<const char16_t *> BuiltMethods =
    HGL_HAVE_LZO ? std::vector<const char16_t *>{u"Zip", u"Bzip2", u"Lzma", u"Lzo", u"RLE"}
                 : std::vector<const char16_t *>{u"Zip", u"Bzip2", u"Lzma", u"RLE"};

Bytes RandomBytes(size_t n, unsigned seed)
{
    std::mt19937 gen(seed);
    Bytes b(n);
    for (auto &c : b)
        c = uint8_t(gen());
    return b;
}

// Text-like data with runs, the kind of content the archives hold.
Bytes CompressibleBytes(size_t n)
{
    static const char words[] = "the quick brown fox jumps over the lazy dog 0000000000 ";
    Bytes b(n);
    std::mt19937 gen(7);
    for (size_t i = 0; i < n; i++)
        b[i] = (i / 64) % 3 == 0 ? uint8_t(words[(i + gen() % 2) % (sizeof(words) - 1)])
                                 : uint8_t('a' + (i / 512) % 26);
    return b;
}

Bytes Pack(const char16_t *method, const Bytes &plain, CompressExtra extra = 0)
{
    Bytes out(plain.size() + plain.size() / 8 + 1024);
    const int n = Compress(method, plain.data(), int(plain.size()), out.data(), int(out.size()), extra);
    out.resize(n > 0 ? size_t(n) : 0);
    return out;
}
} // namespace

TEST_F(CompressTest, RoundTripsThroughEveryPlugIn)
{
    LogCapture log;
    const std::vector<Bytes> inputs = {
        Bytes{},
        Bytes{0x5A},
        RandomBytes(4096, 1),
        CompressibleBytes(4096),
        RandomBytes(1 << 20, 2),
        CompressibleBytes(1 << 20),
    };

    for (const char16_t *method : BuiltMethods)
    {
        for (const Bytes &plain : inputs)
        {
            SCOPED_TRACE(hgl::test::ToU8(method) + " " + std::to_string(plain.size()) + " bytes");
            // Megabytes are slow to pack at the default levels (under the sanitizers); level 1 will do.
            const CompressExtra extra = plain.size() > 4096 ? 1 : 0;
            const Bytes packed = Pack(method, plain, extra);
            ASSERT_GT(packed.size(), 0u);

            Bytes out(plain.size() + 16, 0xEE);
            const int n =
                Decompress(method, packed.data(), int(packed.size()), out.data(), int(plain.size()));
            ASSERT_EQ(n, int(plain.size()));
            EXPECT_TRUE(std::equal(plain.begin(), plain.end(), out.begin()));
            EXPECT_EQ(out[plain.size()], 0xEE); // nothing past the room given

            if (plain.size() >= 2)
            {
                // One byte too little room is a failure, not a partial result.
                EXPECT_EQ(
                    Decompress(method, packed.data(), int(packed.size()), out.data(), int(plain.size()) - 1),
                    0);
                // More room than needed: the true size comes back.
                EXPECT_EQ(Decompress(method, packed.data(), int(packed.size()), out.data(), int(out.size())),
                          int(plain.size()));
            }
        }

        // Compressible data does shrink.
        const Bytes text = CompressibleBytes(1 << 16);
        EXPECT_LT(Pack(method, text).size(), text.size() / 2) << hgl::test::ToU8(method);
    }

    EXPECT_EQ(log.Errors().size(), 0u) << log.Dump();
}

TEST_F(CompressTest, DamagedBlocksAreRefused)
{
    const Bytes plain = CompressibleBytes(20000);
    std::mt19937 gen(11);

    for (const char16_t *method : BuiltMethods)
    {
        SCOPED_TRACE(hgl::test::ToU8(method));
        const Bytes packed = Pack(method, plain);
        ASSERT_GT(packed.size(), 16u);
        Bytes out(plain.size());
        const int room = int(out.size());

        // Cut short, or with bytes after the block's end.
        for (size_t cut : {size_t(1), size_t(4), packed.size() / 2, packed.size() - 1})
            EXPECT_EQ(Decompress(method, packed.data(), int(cut), out.data(), room), 0) << cut;
        Bytes longer = packed;
        longer.push_back(0);
        EXPECT_EQ(Decompress(method, longer.data(), int(longer.size()), out.data(), room), 0);

        // Any single changed byte is either refused or (rarely, in a header field that
        // does not matter) still gives back exactly the original.
        for (int k = 0; k < 200; k++)
        {
            Bytes bad = packed;
            const size_t at = gen() % bad.size();
            bad[at] ^= uint8_t(1 + gen() % 255);
            const int n = Decompress(method, bad.data(), int(bad.size()), out.data(), room);
            if (n != 0)
            {
                EXPECT_EQ(n, int(plain.size())) << "byte " << at;
                EXPECT_TRUE(std::equal(plain.begin(), plain.end(), out.begin())) << "byte " << at;
            }
        }

        // Noise is never taken for a block.
        for (int k = 0; k < 50; k++)
        {
            const Bytes noise = RandomBytes(1 + gen() % 3000, unsigned(k));
            EXPECT_EQ(Decompress(method, noise.data(), int(noise.size()), out.data(), room), 0);
        }
    }
}

TEST(CompressMethods, NamesAndNumbersFollowTheTable)
{
    const char16_t *const table[] = {u"Bzip2", u"Lzo", u"Lzma", u"Zip",
                                     u"RLE",   u"RYC", u"RSC",  u"Jpeg2000VSRLE"};
    for (int number = 1; number <= 8; ++number)
    {
        const char16_t *name = table[number - 1];
        EXPECT_EQ(CompressAlgorithmIndex(name), number) << hgl::test::ToU8(name);
        EXPECT_EQ(CompressAlgorithmName(number), String(name)) << number;
    }
    EXPECT_EQ(CompressAlgorithmName(9), String(u""));
    EXPECT_EQ(CompressAlgorithmIndex(u""), 0);
    EXPECT_EQ(CompressAlgorithmIndex(u"zip"), 0); // names are exact
    for (int number : {0, 10, -1})
        EXPECT_EQ(CompressAlgorithmName(number), String(u"未知算法")) << number;
}

TEST_F(CompressTest, RLEPicturesComeBackPixelForPixel)
{
    constexpr int W = 7, H = 5;
    for (int channels : {3, 4})
    {
        SCOPED_TRACE(channels);
        // Each channel its own pattern, with runs along the rows.
        Bytes pixels(size_t(W * H * channels));
        for (int p = 0; p < W * H; ++p)
            for (int c = 0; c < channels; ++c)
                pixels[size_t(p * channels + c)] = uint8_t(c * 60 + (p / 3) * (c + 1));

        Bytes packed(pixels.size() * 2 + 64);
        const int n = ImageCompress(u"RLE", packed.data(), int(packed.size()), pixels.data(), W, H, channels);
        ASSERT_GT(n, 0);
        Bytes back(pixels.size(), 0xEE);
        ASSERT_EQ(ImageDecompress(u"RLE", back.data(), packed.data(), n, W, H, channels), int(pixels.size()));
        EXPECT_EQ(back, pixels);

        // The block holds one plane per channel: a block written by another tool
        // from the planes reads back as the same picture.
        Bytes planes(pixels.size());
        for (int p = 0; p < W * H; ++p)
            for (int c = 0; c < channels; ++c)
                planes[size_t(c * W * H + p)] = pixels[size_t(p * channels + c)];
        const Bytes block = Pack(u"RLE", planes);
        ASSERT_GT(block.size(), 0u);
        std::fill(back.begin(), back.end(), 0);
        ASSERT_EQ(ImageDecompress(u"RLE", back.data(), block.data(), int(block.size()), W, H, channels),
                  int(pixels.size()));
        EXPECT_EQ(back, pixels);
    }
}
