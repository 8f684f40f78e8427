// TEX and HGP files: what the writer writes the reader gives back, and damaged or
// oversized files are refused with a log line before their pixels are allocated.
#include "graphics/PictureTestUtil.h"
#include "graphics/texture/PictureFile.h"
#include "core/StrFunc.h"
#include "io/FileStream.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::test;

namespace
{
ImageBlock Gradient(int w, int h)
{
    return MakeImage(w, h,
                     [](int x, int y) {
                         return std::vector<uint8>{uint8(x * 7), uint8(y * 5), 0x40, 0xFF};
                     });
}

void ExpectSameImage(const ImageBlock &a, const ImageBlock &b)
{
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.color_type, b.color_type);
    EXPECT_EQ(a.format, b.format);
    EXPECT_EQ(a.pixels, b.pixels);
}
} // namespace

TEST(PictureFile, TexRoundTripRawAndZip)
{
    for (const u16char *method : {u"", u"Zip"})
    {
        TexFile out;
        out.image = Gradient(33, 17);
        out.image.format = 0x8057; // GL_RGB5_A1
        out.mipmap = true;
        MemStream ms;
        ASSERT_TRUE(out.Write(&ms, String(method)));
        ms.Position = 0;
        TDFNode tree(&ms);
        String stored;
        tree.GetString(TDFCompressKey, stored);
        EXPECT_EQ(stored.Length, StrLen(method)) << "the gradient packs smaller";
        ms.Position = 0;
        TexFile in;
        ASSERT_TRUE(in.Read(&ms, u"t.tex"));
        ExpectSameImage(out.image, in.image);
        EXPECT_TRUE(in.mipmap);
    }
}

TEST(PictureFile, HgpRoundTripKeepsLayersByNumber)
{
    HgpFile out;
    out.width = 40;
    out.height = 30;
    for (int i = 0; i < 3; i++)
    {
        HgpLayerData layer;
        layer.name = i == 1 ? String(u"Select") : String();
        layer.left = i * 5;
        layer.top = i * 3;
        layer.color = Color4f(0.25f * float(i), 0.5f, 1, i == 2 ? 0.0f : 1.0f);
        layer.image = Gradient(10 + i, 8 + i);
        out.layers.push_back(layer);
    }
    MemStream ms;
    ASSERT_TRUE(out.Write(&ms, String(u"Zip")));
    ms.Position = 0;
    HgpFile in;
    ASSERT_TRUE(in.Read(&ms, u"p.hgp"));
    ASSERT_EQ(in.layers.size(), 3u);
    EXPECT_EQ(in.width, 40);
    EXPECT_EQ(in.height, 30);
    for (size_t i = 0; i < 3; i++)
    {
        EXPECT_EQ(in.layers[i].name.Comp(out.layers[i].name), 0);
        EXPECT_EQ(in.layers[i].left, out.layers[i].left);
        EXPECT_EQ(in.layers[i].top, out.layers[i].top);
        EXPECT_EQ(in.layers[i].color, out.layers[i].color);
        ExpectSameImage(in.layers[i].image, out.layers[i].image);
    }
}

TEST(PictureFile, DamagedFilesAreRefused)
{
    struct Case
    {
        const char *what;
        std::function<void(TDFNode &)> damage;
    };
    const Case cases[] = {
        {"root name", [](TDFNode &r) { r.SetName(u"TEX!"); }},
        {"version", [](TDFNode &r) { r.SetInt32(u"Version", 2); }},
        {"zero width", [](TDFNode &r) { r.SetInt32(u"Width", 0); }},
        {"side over limit", [](TDFNode &r) { r.SetInt32(u"Width", ImageBlock::MaxSide + 1); }},
        {"huge picture, little data",
         [](TDFNode &r) { r.SetInt32(u"Width", 16384), r.SetInt32(u"Height", 16384); }},
        {"colour code", [](TDFNode &r) { r.SetInt32(u"ColorType", 8); }},
        {"short image", [](TDFNode &r) { r.SetData(u"Image", "abc", 3); }},
        {"long image",
         [](TDFNode &r) { r.SetData(u"Image", std::vector<uint8>(8 * 4 * 4 + 1).data(), 8 * 4 * 4 + 1); }},
        {"image replaced by a text", [](TDFNode &r) { r.SetString(u"Image", String()); }},
        {"unknown method", [](TDFNode &r) { r.SetString(TDFCompressKey, u"Lzma"); }},
        {"zip claims too much",
         [](TDFNode &r) { r.SetString(TDFCompressKey, u"Zip"), r.SetData(u"Image", "x", 1); }},
        {"zip garbage",
         [](TDFNode &r) { r.SetString(TDFCompressKey, u"Zip"), r.SetData(u"Image", "xxxxxxxx", 8); }},
        {"missing height", [](TDFNode &r) { r.SetData(u"Height", "", 0); }},
    };
    for (const Case &c : cases)
    {
        TDFNode root;
        PutRoot(root, u"TEX");
        PutImage(&root, SolidImage(8, 4, {1, 2, 3, 4}));
        c.damage(root);
        MemStream ms;
        SaveTree(root, ms);
        LogCapture log;
        TexFile tex;
        EXPECT_FALSE(tex.Read(&ms, u"bad.tex")) << c.what;
        EXPECT_TRUE(log.ContainsPart(u"bad.tex")) << c.what << log.Dump();
        EXPECT_TRUE(tex.image.pixels.empty()) << c.what;
    }
}

TEST(PictureFile, HgpLayerLimits)
{
    const ImageBlock img = SolidImage(4, 4, {9, 9, 9, 255});
    struct Case
    {
        const char *what;
        int width, count_written, left, top;
        bool ok;
    };
    const Case cases[] = {
        {"fits exactly", 8, 1, 4, 4, true},
        {"past the right edge", 8, 1, 5, 0, false},
        {"past the bottom edge", 8, 1, 0, 5, false},
        {"negative left", 8, 1, -1, 0, false},
        {"layer count over limit", 8, HgpFile::MaxLayers + 1, 0, 0, false},
        {"layer missing", 8, 2, 0, 0, false},
    };
    for (const Case &c : cases)
    {
        TDFNode root;
        PutHgp(root, c.width, c.width, {{u"A", c.left, c.top, {1, 1, 1, 1}, img}});
        root.SetInt32(u"LayerCount", c.count_written);
        MemStream ms;
        SaveTree(root, ms);
        LogCapture log;
        HgpFile hgp;
        EXPECT_EQ(hgp.Read(&ms, u"bad.hgp"), c.ok) << c.what;
        EXPECT_EQ(log.ContainsPart(u"bad.hgp"), !c.ok) << c.what << log.Dump();
    }
}

TEST(PictureFile, TruncatedFileIsRefused)
{
    TexFile out;
    out.image = Gradient(8, 8);
    MemStream full;
    ASSERT_TRUE(out.Write(&full, String()));
    for (int64 cut : {int64(0), int64(10), full.GetSize() / 2, full.GetSize() - 1})
    {
        MemStream part;
        part.Write(full.GetData(), int(cut));
        part.Position = 0;
        LogCapture log;
        TexFile in;
        EXPECT_FALSE(in.Read(&part, u"cut.tex")) << cut;
        EXPECT_TRUE(log.ContainsPart(u"cut.tex")) << cut;
    }
}

// The fuzz seeds are written by a script of their own, byte by byte.
TEST(PictureFile, FilesOfAnotherWriterLoad)
{
    const std::string corpus = std::string(HGL_TEST_DATA_DIR) + "/../../fuzz/corpus/";
    FileStream tex_file(String::FromUTF8(corpus + "tex_read/lum_zip.tex").c_str(), 2);
    TexFile tex;
    ASSERT_TRUE(tex.Read(&tex_file, u"lum_zip.tex"));
    EXPECT_EQ(tex.image.width, 9);
    EXPECT_EQ(tex.image.color_type, int(ctLuminance));
    EXPECT_EQ(tex.image.pixels[10], uint8((1 * 13 + 1 * 7) & 0xFF)); // x 1, y 1

    FileStream hgp_file(String::FromUTF8(corpus + "hgp_read/three.hgp").c_str(), 2);
    HgpFile hgp;
    ASSERT_TRUE(hgp.Read(&hgp_file, u"three.hgp"));
    ASSERT_EQ(hgp.layers.size(), 3u);
    EXPECT_EQ(hgp.layers[1].name.Comp(u"Select"), 0);
    EXPECT_EQ(hgp.layers[1].left, 2);
    EXPECT_EQ(hgp.layers[0].color.a, 0);
    EXPECT_EQ(hgp.layers[2].image.height, 2);
}
