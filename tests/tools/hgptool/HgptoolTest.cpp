// The picture tool end to end: PNG files in, TEX and HGP files out, read back by the
// engine's reader; the listing names what a file holds.
#include "graphics/ColorType.h"
#include "graphics/PictureTestUtil.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/HAC.h"
#include "support/BuildPlugIns.h"
#include "support/TempDir.h"
#include "tools/hgptool/PngFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using namespace hgl;
using namespace hgl::test;

namespace
{
// Runs a command line; its exit code, standard output and error in out.
int RunCommand(const std::string &cmd, std::string *out)
{
    FILE *p = popen((cmd + " 2>&1").c_str(), "r");
    char buf[512];
    std::string text;
    while (p && std::fgets(buf, sizeof(buf), p))
        text += buf;
    if (out) *out = text;
    return p ? WEXITSTATUS(pclose(p)) : -1;
}

// Runs the tool with the build's plug-ins.
int RunTool(const std::string &args, std::string *out = nullptr)
{
    return RunCommand(std::string(HGL_HGPTOOL_EXE) + " --plugins " HGL_PLUGIN_DIR " " + args, out);
}

// Runs the tool from inside a folder, as a user in a content folder would: no
// --plugins, so it finds them beside itself.
int RunToolIn(const TempDir &dir, const std::string &args, std::string *out = nullptr)
{
    return RunCommand("cd '" + dir.Path() + "' && " HGL_HGPTOOL_EXE " " + args, out);
}

template <typename File> File ReadBack(const TempDir &dir, const char *name)
{
    UseBuildPlugIns();
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

TEST(Hgptool, WorksFromAContentFolder)
{
    TempDir dir("hgptool");
    MakePng(dir, "p.png", SolidImage(8, 6, {10, 20, 30, 255}));
    std::string out;
    ASSERT_TRUE(dir.WriteFile("pack/keep", ""));
    ASSERT_EQ(RunToolIn(dir, "tex p.png pack/a.tex", &out), 0) << out;
    ASSERT_EQ(RunToolIn(dir, "hgp pack/b.hgp --layer p.png --name Normal", &out), 0) << out;
    ASSERT_EQ(RunToolIn(dir, "list pack/a.tex", &out), 0) << out;
    EXPECT_NE(out.find("TEX 8x6 RGBA"), std::string::npos) << out;
    ASSERT_EQ(RunToolIn(dir, "list pack/b.hgp", &out), 0) << out;
    EXPECT_NE(out.find("HGP 8x6, 1 layers"), std::string::npos) << out;

    // Packed into an archive, the engine loads them.
    ASSERT_EQ(RunCommand("cd '" + dir.Path() + "' && " HGL_HACPACK_EXE " pack data.hac --method Zip", &out),
              0)
        << out;
    UseBuildPlugIns();
    std::unique_ptr<HAC> hac(OpenHAC(dir.File16("data.hac").c_str()));
    ASSERT_TRUE(hac);
    std::unique_ptr<Stream> tex_stream(hac->LoadFileStream(u"a.tex", true));
    std::unique_ptr<Stream> hgp_stream(hac->LoadFileStream(u"b.hgp", true));
    ASSERT_TRUE(tex_stream && hgp_stream);
    TexFile tex;
    HgpFile hgp;
    EXPECT_TRUE(tex.Read(tex_stream.get(), u"a.tex"));
    EXPECT_TRUE(hgp.Read(hgp_stream.get(), u"b.hgp"));
    EXPECT_EQ(tex.image.pixels, SolidImage(8, 6, {10, 20, 30, 255}).pixels);
}

TEST(Hgptool, ListTellsAMissingPlugInFromDamage)
{
    TempDir dir("hgptool");
    ASSERT_TRUE(dir.WriteFile("none/keep", ""));
    ImageBlock noise = SolidImage(32, 32, {0, 0, 0, 255});
    for (size_t i = 0; i < noise.pixels.size(); i++)
        noise.pixels[i] = uint8(i % 7 == 0 ? i : 0);
    MakePng(dir, "p.png", noise);
    ASSERT_EQ(RunTool("tex " + dir.File("p.png") + " " + dir.File("z.tex")), 0);
    ASSERT_EQ(RunTool("hgp " + dir.File("z.hgp") + " --layer " + dir.File("p.png")), 0);

    std::string out;
    for (const char *file : {"z.tex", "z.hgp"})
    {
        EXPECT_EQ(RunToolIn(dir, std::string("list --plugins none ") + file, &out), 1) << file;
        EXPECT_NE(out.find("needs the Zip compression plug-in, which was not found"), std::string::npos)
            << out;
    }
    const std::string bytes = dir.ReadFile("z.tex");
    ASSERT_TRUE(dir.WriteFile("cut.tex", bytes.substr(0, bytes.size() - 10)));
    EXPECT_EQ(RunToolIn(dir, "list cut.tex", &out), 1);
    EXPECT_NE(out.find("damaged"), std::string::npos) << out;
    EXPECT_EQ(out.find("plug-in"), std::string::npos) << out;
}
