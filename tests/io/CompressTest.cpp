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
const std::vector<const char16_t *> BuiltMethods = HGL_HAVE_LZO
                                                       ? std::vector<const char16_t *>{u"Zip", u"Bzip2", u"Lzma", u"Lzo", u"RLE"}
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
        b[i] = (i / 64) % 3 == 0 ? uint8_t(words[(i + gen() % 2) % (sizeof(words) - 1)]) : uint8_t('a' + (i / 512) % 26);
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

TEST(CompressTable, NamesAndNumbers)
{
    const char16_t *const names[] = {u"Bzip2", u"Lzo", u"Lzma", u"Zip", u"RLE", u"RYC", u"RSC", u"Jpeg2000VSRLE"};
    for (int i = 1; i <= 8; i++)
    {
        EXPECT_EQ(CompressAlgorithmIndex(names[i - 1]), i);
        EXPECT_EQ(S(CompressAlgorithmName(i)), names[i - 1]);
    }
    // Exact spelling only.
    for (const char16_t *n : {u"lzma", u"LZMA", u"", u"Lzma2", u"Zip ", u" Zip", u"未知算法", u"Jpeg2000"})
        EXPECT_EQ(CompressAlgorithmIndex(n), 0) << hgl::test::ToU8(n);
    EXPECT_EQ(CompressAlgorithmIndex(String()), 0);

    for (int n : {INT_MIN, -1, 0, 10, 11, INT_MAX})
        EXPECT_EQ(S(CompressAlgorithmName(n)), u"未知算法") << n;
    EXPECT_EQ(S(CompressAlgorithmName(9)), u"");
}

TEST_F(CompressTest, RoundTripsThroughEveryPlugIn)
{
    LogCapture log;
    const std::vector<Bytes> inputs = {
        Bytes{}, Bytes{0x5A}, RandomBytes(4096, 1), CompressibleBytes(4096),
        RandomBytes(1 << 20, 2), CompressibleBytes(1 << 20),
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
            const int n = Decompress(method, packed.data(), int(packed.size()), out.data(), int(plain.size()));
            ASSERT_EQ(n, int(plain.size()));
            EXPECT_TRUE(std::equal(plain.begin(), plain.end(), out.begin()));
            EXPECT_EQ(out[plain.size()], 0xEE);     // nothing past the room given

            if (plain.size() >= 2)
            {
                // One byte too little room is a failure, not a partial result.
                EXPECT_EQ(Decompress(method, packed.data(), int(packed.size()), out.data(), int(plain.size()) - 1),
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

TEST_F(CompressTest, DispatchRefusesBadArguments)
{
    const Bytes packed = Pack(u"Zip", CompressibleBytes(100));
    ASSERT_FALSE(packed.empty());
    Bytes out(100);

    EXPECT_EQ(Decompress(u"Zip", nullptr, int(packed.size()), out.data(), 100), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), int(packed.size()), nullptr, 100), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), 0, out.data(), 100), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), int(packed.size()), out.data(), 0), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), -5, out.data(), 100), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), int(packed.size()), out.data(), -1), 0);
    EXPECT_EQ(Decompress(u"Zip", packed.data(), int(packed.size()), out.data(), 100), 100);

    // (Shapes past the int range are refused by the dispatch: see the picture calls below.)
    // Within the int range but far more than a 64-byte block can hold: refused at once.
    Bytes pixels(64);
    EXPECT_EQ(ImageDecompress(u"RLE", out.data(), pixels.data(), 64, 46340, 46340, 1), 0);
    EXPECT_EQ(ImageCompress(u"RLE", nullptr, 100, pixels.data(), 4, 4, 4), 0);
    EXPECT_EQ(ImageDecompress(u"RLE", out.data(), nullptr, 64, 4, 4, 4), 0);
}

TEST_F(CompressTest, PictureCallsFallBackToTheBufferEntries)
{
    const int w = 9, h = 5, c = 3, size = w * h * c;
    Bytes pixels(size);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = uint8_t(i * 13);

    // "Only01" stores a size word and the bytes: the picture went through entry 0
    // over width x height x channels bytes.
    Bytes packed(1024);
    const int n = ImageCompress(u"Only01", packed.data(), int(packed.size()), pixels.data(), w, h, c, 0);
    ASSERT_EQ(n, 4 + size);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), packed.begin() + 4));

    Bytes out(size + 16, 0xEE);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, w, h, c), size);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), out.begin()));
    EXPECT_EQ(out[size], 0xEE) << "no byte past width x height x channels";

    // The expected size comes from the picture's shape, taken in 64 bits through the
    // fallback too; a side below 1 is no picture.
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, w, h - 1, c), 0);
    EXPECT_EQ(ImageCompress(u"Only01", packed.data(), 1024, pixels.data(), 65536, 65536, 4, 0), 0);
    EXPECT_EQ(ImageCompress(u"Only01", packed.data(), 1024, pixels.data(), -w, -h, c, 0), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, 65536, 32768, 1), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, -w, h, -c), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, 0, h, c), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), -1, w, h, c), 0);

    // RLE has picture entries of its own (channel planes).
    Bytes image(64 * 32 * 4);
    for (size_t i = 0; i < image.size(); i++)
        image[i] = (i % 4 == 3) ? 255 : uint8_t((i / 4) / 64 * 8);
    Bytes rle(image.size() * 2);
    const int m = ImageCompress(u"RLE", rle.data(), int(rle.size()), image.data(), 64, 32, 4);
    ASSERT_GT(m, 0);
    EXPECT_LT(m, int(image.size()) / 10);
    Bytes back(image.size());
    EXPECT_EQ(ImageDecompress(u"RLE", back.data(), rle.data(), m, 64, 32, 4), int(image.size()));
    EXPECT_EQ(back, image);
    EXPECT_EQ(ImageDecompress(u"RLE", back.data(), rle.data(), m, 32, 64, 2), 0);
    EXPECT_EQ(ImageDecompress(u"RLE", back.data(), rle.data(), m - 1, 64, 32, 4), 0);

    // A method without a plug-in is reported once, whichever call meets it first.
    LogCapture log;
    EXPECT_EQ(ImageCompress(u"RYC", packed.data(), 1024, pixels.data(), w, h, c, 0), 0);
    EXPECT_EQ(ImageDecompress(u"RYC", out.data(), packed.data(), n, w, h, c), 0);
    EXPECT_EQ(Decompress(u"RYC", packed.data(), n, out.data(), int(out.size())), 0);
    EXPECT_EQ(log.CountOf(u"加载插件<RYC>失败!"), 1u);
    EXPECT_EQ(log.Count(), 3u) << log.Dump();
}
