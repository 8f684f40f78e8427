#include "framework/GUIObject.h"
#include "graphics/ColorType.h"
#include "app/WinOpenGLApplication.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"
#include "platform/window/HeadlessWindow.h"
#include "sonvex/OpenAL.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <GL/glew.h>
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using hgl::platform::DisplayMode;
using hgl::platform::HeadlessWindow;

// Time that moves only when the loop sleeps or a screen spends it.
struct TestClock : hgl::FrameClock
{
    double now = 0;
    double slept = 0;
    double Now() override { return now; }
    void Sleep(double s) override
    {
        if (s > 0) now += s, slept += s;
    }
};

// An application on a headless window that offers the display modes a test names.
class TestApp : public hgl::WinOpenGLApplication
{
  public:
    // The set-up starts OpenAL: on its null device, so that no test plays sound.
    hgl::test::ScopedEnv silent{"ALSOFT_DRIVERS", "null"};
    std::vector<DisplayMode> modes;
    HeadlessWindow *headless = nullptr;

    TestApp() : WinOpenGLApplication(false) {}

  protected:
    std::unique_ptr<hgl::platform::PlatformWindow> CreateWindowObject() override
    {
        auto w = std::make_unique<HeadlessWindow>();
        w->SetDisplayModes(modes);
        headless = w.get();
        return w;
    }
};

// A widget that records the input it takes.
struct Widget : hgl::GUIObject
{
    std::vector<std::string> got;
    Widget() : GUIObject(100, 50, 40, 30) {}
    bool Proc_MouseLeftDown(int x, int y, int flags) override
    {
        if (!PointIn(x, y)) return false;
        got.push_back("down " + std::to_string(x) + "," + std::to_string(y) + " f" + std::to_string(flags));
        return true;
    }
    bool Proc_KeyDown(int key) override
    {
        got.push_back("key " + std::to_string(key));
        return true;
    }
};

// A screen that spends clock time on its work and draws a green square at the origin.
struct Screen : hgl::FlowObject
{
    TestClock *clock = nullptr;
    double update_cost = 0, draw_cost = 0;
    std::u16string chars;
    void Update() override
    {
        if (clock) clock->now += update_cost;
    }
    void Draw() override
    {
        if (clock) clock->now += draw_cost;
        glColor3f(0, 1, 0);
        glRectf(0, 0, 4, 4);
    }
    bool Proc_Char(char16_t c) override
    {
        chars += c;
        return true;
    }
};

std::vector<std::u16string> Subsequence(const std::vector<std::u16string> &lines,
                                        const std::vector<std::u16string> &wanted)
{
    std::vector<std::u16string> found;
    auto it = lines.begin();
    for (const auto &w : wanted)
        if ((it = std::find(it, lines.end(), w)) != lines.end()) found.push_back(*it++);
    return found;
}

TEST(WinOpenGLApplication, InitStepsInOrderWithTheirMessages)
{
    hgl::test::LogCapture log;
    TestApp app;
    EXPECT_FALSE(app.Init(nullptr));
    EXPECT_EQ(log.Errors(), std::vector<std::u16string>{u"sii为空!"});

    log.Clear();
    hgl::SystemInitInfo sii;
    sii.info.ProjectName = u"测试";
    sii.graphics.WindowWidth = 320;
    sii.graphics.WindowHeight = 200;
    sii.graphics.FPS = 30;
    sii.graphics.GL.GLSL = false;
    sii.UseJoystick = true;
    sii.FrameMode = 3;
    ASSERT_TRUE(app.Init(&sii)) << log.Dump();
    const std::vector<std::u16string> order = {
        u"窗口系统没有可移植的方法关闭屏幕保护程序，保持系统设置",
        u"GLEW版本: 2.2.0",
        u"使用高质量贴图压缩！",
        u"您的显卡支持OpenGL扩展<GL_ARB_shader_objects>，但是配置程序禁用了它！",
        u"启动插件<Joystick>",
        u"不创建缺省字体！",
        u"不使用GUI系统！",
        u"打开音频设备<*>成功",
        u"初始化游戏工程成功!",
    };
    // The audio line names the device and the library's version.
    std::vector<std::u16string> lines = log.Lines();
    for (std::u16string &line : lines)
        if (line.starts_with(u"打开音频设备<") && line.find(u">成功, OpenAL ") != line.npos)
            line = u"打开音频设备<*>成功";
    EXPECT_EQ(Subsequence(lines, order), order) << log.Dump();
    EXPECT_TRUE(hgl::IsOpenALReady());
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();
    EXPECT_EQ(hgl::GetGlobalPointer(3), app.GetWindow());
    EXPECT_EQ(app.GetWindow()->CanvasWidth(), 320);
    EXPECT_EQ(app.headless->Title(), "测试");
    EXPECT_EQ(app.FPS, 30);
    EXPECT_EQ(app.FrameMode, 3);
    EXPECT_TRUE(app.BackNotDraw);
}

TEST(WinOpenGLApplication, FullScreenFallsBackToTheWindowSize)
{
    struct Case
    {
        DisplayMode wanted;
        std::u16string message;
        int canvas_width;
        bool full_screen;
    };
    const Case cases[] = {
        {{1024, 768, 32, 75}, u"更改显示模式<1024x768,32 bit,75hz>失败！", 640, false},
        {{800, 600, 32, 60}, u"更改显示模式<800x600,32 bit,60hz>成功！", 800, true},
        {{800, 600, 16, 60}, u"更改显示模式<800x600,16 bit,60hz>失败！", 640, false},
    };
    for (const Case &c : cases)
    {
        hgl::test::LogCapture log;
        TestApp app;
        app.modes = {{640, 480, 32, 60}, {800, 600, 32, 60}};
        hgl::SystemInitInfo sii;
        sii.graphics.FullScreen = true;
        sii.graphics.Mode = {c.wanted.width, c.wanted.height, c.wanted.bits, c.wanted.refresh};
        sii.WaitActive = true;
        ASSERT_TRUE(app.Init(&sii)) << log.Dump();
        EXPECT_TRUE(log.Contains(c.message)) << log.Dump();
        EXPECT_EQ(app.GetWindow()->CanvasWidth(), c.canvas_width);
        EXPECT_EQ(sii.graphics.FullScreen, c.full_screen);
        EXPECT_EQ(app.WaitActive, !c.full_screen) << "kept only for a window";
    }
}

TEST(WinOpenGLApplication, InjectedInputReachesTheActiveScreensWidget)
{
    TestApp app;
    hgl::SystemInitInfo sii;
    sii.FrameMode = 1;
    ASSERT_TRUE(app.Init(&sii));
    auto *screen = new Screen;
    auto *widget = new Widget;
    screen->Control->AddObject(widget);
    app.GetFlow()->ClearTo(screen);

    HeadlessWindow &w = *app.headless;
    w.InjectCursor(110, 60);
    w.InjectMouseButton(GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, GLFW_MOD_CONTROL);
    w.InjectKey(GLFW_KEY_ENTER, GLFW_PRESS);
    w.InjectChar(0x1F600);
    app.RunOnce();
    EXPECT_EQ(widget->got, (std::vector<std::string>{"down 110,60 f9", "key 54"}));
    EXPECT_EQ(screen->chars, u"\U0001F600");
    EXPECT_EQ(app.GetFrameCount(), 1);

    w.InjectClose();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(app.GetFlow()->IsRunning());
}

struct PacingCase
{
    int mode;
    double update_cost, draw_cost;
    int min_frames, max_frames, min_updates, max_updates;
    double min_slept;
};

TEST(WinOpenGLApplication, PacingModesCountedOnATestClock)
{
    const PacingCase cases[] = {
        {1, 0.002, 0.002, 240, 251, 240, 251, 0.0}, // unpaced: as fast as the work allows
        {2, 0.002, 0.002, 59, 61, 59, 61, 0.7},     // sleeps away what the frame leaves
        {2, 0.010, 0.030, 24, 26, 24, 26, 0.0},     // too slow for 60: no sleeping
        {3, 0.002, 0.030, 28, 34, 58, 62, 0.0},     // fixed step: updates kept, draws skipped
        {7, 0.002, 0.002, 59, 61, 59, 61, 0.7},     // unknown modes pace like 2
    };
    for (const PacingCase &c : cases)
    {
        TestApp app;
        hgl::SystemInitInfo sii;
        sii.FrameMode = c.mode;
        ASSERT_TRUE(app.Init(&sii));
        TestClock clock;
        app.SetFrameClock(&clock);
        auto *screen = new Screen;
        screen->clock = &clock;
        screen->update_cost = c.update_cost;
        screen->draw_cost = c.draw_cost;
        app.GetFlow()->ClearTo(screen);
        while (clock.now < 1.0)
            app.RunOnce();
        EXPECT_GE(app.GetFrameCount(), c.min_frames) << "mode " << c.mode;
        EXPECT_LE(app.GetFrameCount(), c.max_frames) << "mode " << c.mode;
        EXPECT_GE(app.GetUpdateCount(), c.min_updates) << "mode " << c.mode;
        EXPECT_LE(app.GetUpdateCount(), c.max_updates) << "mode " << c.mode;
        EXPECT_GE(clock.slept, c.min_slept) << "mode " << c.mode;
    }
}
} // namespace

namespace
{
TEST(WinOpenGLApplication, WhileInactiveItWaitsForEventsInsteadOfDrawing)
{
    TestApp app;
    hgl::SystemInitInfo sii;
    sii.WaitActive = true;
    ASSERT_TRUE(app.Init(&sii));
    TestClock clock;
    app.SetFrameClock(&clock);
    app.GetFlow()->ClearTo(new Screen);

    app.headless->InjectFocus(false);
    for (int i = 0; i < 3; i++)
        app.RunOnce();
    EXPECT_EQ(app.GetFrameCount(), 0) << "no drawing in the background";
    EXPECT_EQ(app.GetUpdateCount(), 1) << "then only waiting";

    app.headless->InjectFocus(true);
    app.RunOnce(); // the wait takes the focus event
    app.RunOnce();
    EXPECT_EQ(app.GetFrameCount(), 1);
}

TEST(WinOpenGLApplication, IconAndCursorFromPictureFilesOrTheDefaults)
{
    hgl::test::TempDir dir("icon");
    hgl::TexFile tex;
    tex.image.width = 2;
    tex.image.height = 1;
    tex.image.color_type = hgl::ctBGR;
    tex.image.pixels = {1, 2, 3, 4, 5, 6};
    {
        hgl::FileStream out(dir.File16("icon.tex").c_str(), 1);
        ASSERT_TRUE(tex.Write(&out, u""));
    }
    hgl::test::LogCapture log;
    TestApp app;
    hgl::SystemInitInfo sii;
    sii.win.IconFile = dir.File16("icon.tex").c_str();
    sii.win.CursorFile = dir.File16("arrow.cur").c_str();
    ASSERT_TRUE(app.Init(&sii));
    const auto &o = app.GetWindow()->Options();
    EXPECT_EQ(o.icon.rgba, (std::vector<unsigned char>{3, 2, 1, 255, 6, 5, 4, 255}));
    EXPECT_TRUE(o.cursor.Empty());
    EXPECT_TRUE(log.Contains(u"光标文件<" + dir.File16("arrow.cur") + u">不是可读取的图片，使用标准箭头光标"))
        << log.Dump();
}
} // namespace
