// Layered pictures and tile fonts drawn on the headless canvas.
#include "graphics/PictureTestUtil.h"
#include "graphics/draw/DrawTestUtil.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/HAC.h"
#include "io/ObjectBufferFromHAC.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <memory>

using namespace hgl;
using namespace hgl::test;

namespace
{
const ImageBlock RedBlock = SolidImage(8, 8, {255, 0, 0, 255});
const ImageBlock GreenBlock = SolidImage(8, 8, {0, 255, 0, 255});
const ImageBlock BlueBlock = SolidImage(4, 4, {0, 0, 255, 255});

// A 16 x 16 picture: red "Back" at 0,0; a hidden green "Select" at 8,0; a blue
// "Select" at 8,8.
void WritePicture(const TempDir &dir, const char *name)
{
    TDFNode root;
    PutHgp(root, 16, 16,
           {{u"Back", 0, 0, {1, 1, 1, 1}, RedBlock},
            {u"Select", 8, 0, {1, 1, 1, 0}, GreenBlock},
            {u"Select", 8, 8, {1, 1, 1, 1}, BlueBlock}});
    MemStream ms;
    SaveTree(root, ms);
    FileStream fs;
    ASSERT_TRUE(fs.Create(dir.File16(name).c_str()));
    ASSERT_EQ(fs.Write(ms.GetData(), int(ms.GetSize())), int(ms.GetSize()));
}

class PictureDrawTest : public DrawTest
{
  protected:
    TempDir dir{"hgpdraw"};

    void SetUp() override
    {
        DrawTest::SetUp();
        WritePicture(dir, "pic.hgp");
    }
};
} // namespace

TEST_F(PictureDrawTest, HiddenLayersAndFindLayer)
{
    HGP pic(dir.File16("pic.hgp").c_str(), 0, true);
    ASSERT_EQ(pic.LayerCount, 3);
    EXPECT_EQ(pic.Width, 16);
    pic.SetBlendMode(BlendMode::Opaque); // alpha left out of the pixels: only the skip shows
    pic.Draw(0, 0);
    EXPECT_EQ(gl.ReadPixel(2, 2), Red);
    EXPECT_EQ(gl.ReadPixel(10, 2), Black) << "alpha 0: not drawn";
    EXPECT_EQ(gl.ReadPixel(9, 9), Blue);
    EXPECT_EQ(gl.ReadPixel(13, 13), Black);

    pic.DrawLayer(1, 0, 0);
    EXPECT_EQ(gl.ReadPixel(10, 2).g, 255) << "DrawLayer draws it anyway";
    EXPECT_EQ(pic.FindLayer(u"Select"), pic.GetLayer(2));
    EXPECT_EQ(pic.FindLayer(u"Front"), nullptr);
    // The index of the last layer of the name, whatever text type names it.
    const std::pair<int, int> indexes[] = {{pic.FindLayerIndex(u"Back"), 0},
                                           {pic.FindLayerIndex(String(u"Select")), 2},
                                           {pic.FindLayerIndex(std::u16string(u"Select")), 2},
                                           {pic.FindLayerIndex(u"Sel"), -1},
                                           {pic.FindLayerIndex(u"SelectX"), -1},
                                           {pic.FindLayerIndex(nullptr), -1}};
    for (size_t i = 0; i < std::size(indexes); ++i)
        EXPECT_EQ(indexes[i].first, indexes[i].second) << "row " << i;
    EXPECT_EQ(pic.GetLayer(3), nullptr);

    Clear();
    pic.Draw(20, 0, 2, 2); // layers keep their places, scaled
    EXPECT_EQ(gl.ReadPixel(37, 17), Blue);
    EXPECT_EQ(gl.ReadPixel(21, 1), Red);

    Clear();
    pic.SetColor(1, 1, 1, 1);
    const Point2f corner[4] = {{0, 0}, {32, 0}, {32, 32}, {0, 32}};
    pic.DrawQuad(corner);
    EXPECT_EQ(gl.ReadPixel(20, 4), Green) << "SetColor made every layer visible";
    EXPECT_EQ(gl.ReadPixel(20, 20), Blue);
}

TEST_F(PictureDrawTest, ArchiveCacheAndTheEmptyPicture)
{
    std::unique_ptr<HAC> hac(OpenHAC(dir.Path16().c_str()));
    ASSERT_TRUE(hac);
    HGPSameBufferHAC cache(hac.get(), 2);
    HGPSame *same = nullptr;
    ASSERT_TRUE(cache.Get(u"pic.hgp", same));
    ASSERT_EQ(same->LayerCount, 3);
    same->GetLayer(0)->Color = Color4f(0, 0, 0, 1); // the shadow copy
    same->DrawLayer(0, 0, 0);
    EXPECT_EQ(gl.ReadPixel(2, 2), Black);

    LogCapture log;
    for (const u16char *missing : {u"none.hgp", u"pic.hgp\\x"})
    {
        HGP empty(hac.get(), missing, 0, true);
        EXPECT_TRUE(empty.IsEmpty());
        EXPECT_EQ(empty.Width, 0);
        empty.Draw(0, 0);
        empty.DrawLayer(0, 0, 0);
        empty.DrawQuad(nullptr);
        empty.SetAlpha(1);
        EXPECT_EQ(empty.FindLayer(u"Back"), nullptr);
    }
    EXPECT_TRUE(log.ContainsPart(u"none.hgp")) << log.Dump();
    EXPECT_FALSE(Ink(0, 0, 64, 48));
}

TEST_F(PictureDrawTest, WrittenPictureReadsBackEqual)
{
    HGP pic(dir.File16("pic.hgp").c_str(), 0, false);
    MemStream ms;
    ASSERT_TRUE(pic.WriteToStream(&ms));
    ms.Position = 0;
    HgpFile file;
    ASSERT_TRUE(file.Read(&ms, u"again"));
    ASSERT_EQ(file.layers.size(), 3u);
    EXPECT_EQ(file.layers[2].left, 8);
    EXPECT_EQ(file.layers[1].color.a, 0);
    EXPECT_EQ(file.layers[2].image.pixels, BlueBlock.pixels);
}

TEST_F(PictureDrawTest, TileFontDrawsAndEvictsWithinItsAtlas)
{
    constexpr int H = 16;
    TileFont font(Font{u"黑体", 0, H, false, false}, Font{u"Tahoma", 0, H, false, false}, 3);
    const u16char text[] = u"中文字体黑白红绿蓝";
    for (int round = 0; round < 2; round++)
        for (int i = 0; text[i]; i++)
        {
            Clear();
            EXPECT_EQ(font.DrawChar(4, 4, text[i]), float(H));
            EXPECT_TRUE(Ink(4, 4, H, H)) << "glyph " << i << " round " << round;
            EXPECT_LE(font.Count, 3);
        }

    Clear();
    font.Color = Color4f(1, 0, 0, 1);
    font.DrawString(0, 0, u"AB");
    EXPECT_TRUE(Ink(0, 0, font.GetCharWidth(u'A'), H));

    Clear();
    Makeup m;
    font.MakeupText(m, u"中中", 64, TileFont::AlignRight);
    m.CharColor[1] = Color4f(0, 1, 0, 1);
    font.DrawMakeup(0, 20, m, u"中中");
    bool red = false, green = false;
    for (int x = 0; x < 64; x++)
        for (int y = 20; y < 20 + H; y++)
        {
            const RGBA p = gl.ReadPixel(x, y);
            red |= x >= 64 - 2 * H && x < 64 - H && p.r > 128;
            green |= x >= 64 - H && p.g > 128;
            EXPECT_TRUE(x >= 64 - 2 * H || p == Black) << x;
        }
    EXPECT_TRUE(red && green);
}
