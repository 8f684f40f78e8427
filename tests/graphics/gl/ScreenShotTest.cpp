#include "graphics/gl/ScreenShot.h"
#include "io/Core.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstring>

namespace
{
using hgl::test::GLTestContext;
using hgl::test::TempDir;

uint32_t U32(const std::string &f, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, f.data() + at, 4);
    return v;
}

// The BGR bytes of pixel (x, y counted from the top) of a 24-bit bottom-up BMP.
std::string PixelAt(const std::string &f, int x, int y)
{
    const int w = int(U32(f, 18)), h = int(U32(f, 22));
    const size_t row = (size_t(w) * 3 + 3) / 4 * 4;
    return f.substr(U32(f, 10) + row * size_t(h - 1 - y) + size_t(x) * 3, 3);
}

struct StartFolder
{
    explicit StartFolder(const std::u16string &path) { hgl::SetInfoString(8, path.c_str()); }
    ~StartFolder() { hgl::SetInfoString(8, nullptr); }
};

TEST(ScreenShot, WritesA24BitBMPOfTheCanvas)
{
    TempDir dir("shot");
    StartFolder start(dir.Path16());
    GLTestContext gl(7, 5);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(1, 0);
    glVertex2i(1, 1);
    glVertex2i(0, 1);
    glEnd();

    ASSERT_TRUE(hgl::SaveScreenShot(u"a.bmp", -1, -1));
    const std::string f = dir.ReadFile("ScreenShot/a.bmp");
    ASSERT_GE(f.size(), 54u);
    EXPECT_EQ(f.substr(0, 2), "BM");
    EXPECT_EQ(U32(f, 2), f.size());
    EXPECT_EQ(U32(f, 18), 7u);
    EXPECT_EQ(U32(f, 22), 5u);
    EXPECT_EQ(f[28], 24);
    EXPECT_EQ(f.size(), 54u + 5 * 24); // rows of 21 bytes padded to 24
    EXPECT_EQ(PixelAt(f, 0, 0), std::string("\x00\x00\xff", 3));
    EXPECT_EQ(PixelAt(f, 6, 4), std::string("\xff\x00\x00", 3));

    // Default name, and a scaled copy.
    ASSERT_TRUE(hgl::SaveScreenShot(nullptr, 14, 10));
    std::vector<std::string> names = dir.List("ScreenShot");
    ASSERT_EQ(names.size(), 2u);
    const std::string other = names[0] == "a.bmp" ? names[1] : names[0];
    EXPECT_EQ(other.size(), std::string("20261207-153045-123.bmp").size());
    const std::string scaled = dir.ReadFile("ScreenShot/" + other);
    EXPECT_EQ(U32(scaled, 18), 14u);
    EXPECT_EQ(U32(scaled, 22), 10u);
    EXPECT_EQ(PixelAt(scaled, 10, 6), std::string("\xff\x00\x00", 3));
}

TEST(ScreenShot, RefusesWithoutACanvasOrWithAnAbsurdSize)
{
    hgl::test::LogCapture log;
    EXPECT_FALSE(hgl::SaveScreenShot());
    GLTestContext gl(4, 4);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    EXPECT_FALSE(hgl::SaveScreenShot(u"/no/such/folder/x.bmp"));
    EXPECT_FALSE(hgl::SaveScreenShot(u"big.bmp", 100000, 4));
    EXPECT_EQ(log.Errors().size(), 3u) << log.Dump();
}
} // namespace
