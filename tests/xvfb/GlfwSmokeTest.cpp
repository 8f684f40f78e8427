// Runs under a private X server (see run-under-xvfb.sh); skipped without a display.
#include "app/WinOpenGLApplication.h"
#include "io/SystemInitInfo.h"
#include "platform/window/PlatformWindow.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
struct GreenSquare : hgl::FlowObject
{
    void Draw() override
    {
        glColor3f(0, 1, 0);
        glRectf(0, 0, 16, 16);
    }
};

TEST(GlfwWindow, DrawsFramesInARealWindow)
{
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display (run through run-under-xvfb.sh)";
    hgl::test::ScopedEnv backend("HGL_WINDOW", nullptr);
    hgl::test::LogCapture log;
    hgl::WinOpenGLApplication app(false);
    hgl::SystemInitInfo sii;
    sii.info.ProjectName = u"窗口测试";
    sii.graphics.WindowWidth = 160;
    sii.graphics.WindowHeight = 120;
    sii.FrameMode = 1;
    ASSERT_TRUE(app.Init(&sii)) << log.Dump();
    hgl::platform::PlatformWindow *window = app.GetWindow();
    ASSERT_STREQ(window->BackendName(), "glfw");

    app.GetFlow()->ClearTo(new GreenSquare);
    for (int i = 0; i < 3; i++)
        app.RunOnce();
    EXPECT_EQ(app.GetFrameCount(), 3);

    // The finished canvas shown in the window's own framebuffer, read back before a swap.
    int w = 0, h = 0;
    window->GetFramebufferSize(w, h);
    ASSERT_EQ(w, 160);
    window->Canvas().Present(w, h);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    unsigned char top_left[4] = {}, far_corner[4] = {};
    glReadPixels(2, h - 3, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, top_left);
    glReadPixels(w - 3, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, far_corner);
    EXPECT_EQ(top_left[1], 255);
    EXPECT_EQ(top_left[0], 0);
    EXPECT_EQ(far_corner[1], 0);
}
} // namespace
