// The picture tool end to end: PNG files in, TEX and HGP files out, read back by the
// engine's reader; the listing names what a file holds.
#include "graphics/ColorType.h"
#include "graphics/PictureTestUtil.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "support/TempDir.h"
#include "tools/hgptool/PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace hgl;
using namespace hgl::test;

namespace
{
// Runs the tool; its exit code, standard output in out.
int RunTool(const std::string &args, std::string *out = nullptr)
{
    const std::string cmd = std::string(HGL_HGPTOOL_EXE) + " --plugins " HGL_PLUGIN_DIR " " + args + " 2>&1";
    FILE *p = popen(cmd.c_str(), "r");
    char buf[512];
    std::string text;
    while (p && std::fgets(buf, sizeof(buf), p))
        text += buf;
    if (out) *out = text;
    return p ? WEXITSTATUS(pclose(p)) : -1;
}

template <typename File> File ReadBack(const TempDir &dir, const char *name)
{
    FileStream fs(dir.File16(name).c_str(), 2);
    File f;
    EXPECT_TRUE(f.Read(&fs, u"out"));
    return f;
}

void MakePng(const TempDir &dir, const char *name, const ImageBlock &img)
{
    std::string error;
    ASSERT_TRUE(hgptool::WritePng(dir.File(name), img, error)) << error;
}
} // namespace

TEST(Hgptool, TexAndHgpFromPng)
{
    TempDir dir("hgptool");
    const ImageBlock body = SolidImage(16, 12, {200, 100, 50, 255});
    ImageBlock eyes = SolidImage(4, 2, {0, 0, 255, 0});
    eyes.color_type = ctRGB;
    eyes.pixels.assign(4 * 2 * 3, 7);
    MakePng(dir, "body.png", body);
    MakePng(dir, "eyes.png", eyes);

    ASSERT_EQ(RunTool("tex " + dir.File("body.png") + " " + dir.File("b.tex") + " --format 0x8057 --mipmap"),
              0);
    const TexFile tex = ReadBack<TexFile>(dir, "b.tex");
    EXPECT_EQ(tex.image.pixels, body.pixels);
    EXPECT_EQ(tex.image.format, 0x8057u);
    EXPECT_TRUE(tex.mipmap);

    ASSERT_EQ(RunTool("hgp " + dir.File("c.hgp") + " --layer " + dir.File("body.png") +
                      " --name Normal --layer " + dir.File("eyes.png") +
                      " --name 眼 --at 12,10 --color 1,0.5,0.25,0 --method none"),
              0);
    const HgpFile hgp = ReadBack<HgpFile>(dir, "c.hgp");
    ASSERT_EQ(hgp.layers.size(), 2u);
    EXPECT_EQ(hgp.width, 16);
    EXPECT_EQ(hgp.height, 12);
    EXPECT_EQ(hgp.layers[1].name.Comp(u"眼"), 0);
    EXPECT_EQ(hgp.layers[1].left, 12);
    EXPECT_EQ(hgp.layers[1].color, Color4f(1, 0.5f, 0.25f, 0));
    EXPECT_EQ(hgp.layers[1].image.color_type, int(ctRGB));
    EXPECT_EQ(hgp.layers[1].image.pixels, eyes.pixels);

    std::string listing;
    ASSERT_EQ(RunTool("list " + dir.File("c.hgp"), &listing), 0);
    EXPECT_NE(listing.find("HGP 16x12, 2 layers"), std::string::npos) << listing;
    EXPECT_NE(listing.find("L1 \"眼\" at 12,10 4x2 RGB"), std::string::npos) << listing;
    ASSERT_EQ(RunTool("list " + dir.File("b.tex"), &listing), 0);
    EXPECT_NE(listing.find("TEX 16x12 RGBA format 0x8057 mipmap yes"), std::string::npos) << listing;
}

TEST(Hgptool, BadInputFails)
{
    TempDir dir("hgptool");
    MakePng(dir, "p.png", SolidImage(4, 4, {1, 2, 3, 4}));
    std::FILE *f = std::fopen(dir.File("junk.png").c_str(), "wb");
    std::fputs("not a picture", f);
    std::fclose(f);
    const std::string cases[] = {
        "tex " + dir.File("missing.png") + " " + dir.File("o.tex"),
        "tex " + dir.File("junk.png") + " " + dir.File("o.tex"),
        "hgp " + dir.File("o.hgp") + " --size 4x4 --layer " + dir.File("p.png") + " --at 1,0",
        "list " + dir.File("junk.png"),
        "tex " + dir.File("p.png") + " " + dir.File("o.tex") + " --method Nothing",
    };
    for (const std::string &c : cases)
    {
        std::string out;
        EXPECT_NE(RunTool(c, &out), 0) << c;
        EXPECT_NE(out.find("hgptool:"), std::string::npos) << c << out;
    }
}
