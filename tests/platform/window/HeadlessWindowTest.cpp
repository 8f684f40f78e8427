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
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
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
} // namespace

namespace
{
TEST(HeadlessWindow, MultisampledCanvasIsResolvedAtTheEndOfTheFrame)
{
    hgl::platform::HeadlessWindow window;
    hgl::platform::WindowOptions options;
    options.width = 8;
    options.height = 8;
    options.pixel.multisample = 4;
    options.pixel.stencil_bits = 8;
    ASSERT_TRUE(window.Create(options)) << window.Error();
    window.BeginFrame();
    glClearColor(1, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    window.EndFrame();
    EXPECT_EQ(window.PresentCount(), 1);

    unsigned char p[4] = {};
    window.Canvas().BindForReading();
    glReadPixels(7, 7, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    EXPECT_EQ(p[0], 255);
    EXPECT_EQ(p[1], 255);
    EXPECT_EQ(p[2], 0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
} // namespace
