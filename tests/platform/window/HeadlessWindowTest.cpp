#include "support/GLTestContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace
{
using hgl::test::GLTestContext;
using hgl::test::RGBA;

TEST(HeadlessWindow, DrawsIntoACanvasOfItsSizeWithTopLeftOrigin)
{
    GLTestContext gl(64, 48);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    EXPECT_STREQ(reinterpret_cast<const char *>(glGetString(GL_VERSION)) != nullptr ? "ok" : "none", "ok");
    EXPECT_TRUE(GLEW_ARB_vertex_buffer_object);

    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(10, 0);
    glVertex2i(10, 5);
    glVertex2i(0, 5);
    glEnd();

    EXPECT_EQ(gl.ReadPixel(0, 0), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(gl.ReadPixel(9, 4), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(gl.ReadPixel(10, 4), (RGBA{0, 0, 255, 255}));
    EXPECT_EQ(gl.ReadPixel(63, 47), (RGBA{0, 0, 255, 255}));
    EXPECT_EQ(gl.ReadAll().size(), size_t(64 * 48 * 4));
}

TEST(HeadlessWindow, TwoCanvasesOneAfterAnother)
{
    for (int size : {16, 32})
    {
        GLTestContext gl(size, size);
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        glClearColor(0, 1, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_EQ(gl.ReadPixel(size - 1, size - 1), (RGBA{0, 255, 0, 255}));
    }
}
} // namespace
