// Corners of the compression dispatch: out-of-range numbers, near-miss names, and
// the picture fallbacks' limits (never a byte past the picture, no shape past int).
#include "PlugInTestSupport.h"

#include "io/Compress.h"

#include <climits>

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using Bytes = std::vector<uint8_t>;

namespace
{
using CompressEdgeTest = PlugInFixture;
} // namespace

TEST(CompressEdgeTable, NearMissesAndExtremes)
{
    for (int n : {INT_MIN, -100, 11, INT_MAX})
        EXPECT_EQ(S(CompressAlgorithmName(n)), u"未知算法") << n;
    for (const char16_t *n : {u"LZMA", u"Zip ", u" Zip", u"未知算法", u"Jpeg2000"})
        EXPECT_EQ(CompressAlgorithmIndex(n), 0) << hgl::test::ToU8(n);
}

TEST_F(CompressEdgeTest, PictureFallbacksStayInsideThePicture)
{
    const int w = 9, h = 5, c = 3;
    Bytes pixels(w * h * c);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = uint8_t(i * 13);
    Bytes packed(1024);
    const int n = ImageCompress(u"Only01", packed.data(), int(packed.size()), pixels.data(), w, h, c, 0);
    ASSERT_GT(n, 0);

    Bytes out(w * h * c + 16, 0xEE);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, w, h, c), w * h * c);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), out.begin()));
    EXPECT_EQ(out[w * h * c], 0xEE) << "no byte past width x height x channels";

    // Shapes: the product is taken in 64 bits through the fallback too; a side
    // below 1 is no picture.
    EXPECT_EQ(ImageCompress(u"Only01", packed.data(), 1024, pixels.data(), 65536, 65536, 4, 0), 0);
    EXPECT_EQ(ImageCompress(u"Only01", packed.data(), 1024, pixels.data(), -w, -h, c, 0), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, 65536, 32768, 1), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, -w, h, -c), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), n, 0, h, c), 0);
    EXPECT_EQ(ImageDecompress(u"Only01", out.data(), packed.data(), -1, w, h, c), 0);

    // A method without a plug-in is reported once, whichever call meets it first.
    LogCapture log;
    EXPECT_EQ(ImageCompress(u"RYC", packed.data(), 1024, pixels.data(), w, h, c, 0), 0);
    EXPECT_EQ(ImageDecompress(u"RYC", out.data(), packed.data(), n, w, h, c), 0);
    EXPECT_EQ(Decompress(u"RYC", packed.data(), n, out.data(), int(out.size())), 0);
    EXPECT_EQ(log.CountOf(u"加载插件<RYC>失败!"), 1u);
    EXPECT_EQ(log.Count(), 3u) << log.Dump();
}
