#include "PlugInTestSupport.h"

#include "io/BaseApplication.h"
#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SystemInitInfo.h"

#include <cstdio>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;

namespace
{
std::u16string Info(int index)
{
    const u16char *s = GetInfoString(index);
    return s ? std::u16string(s) : std::u16string(u"(null)");
}

std::u16string CurrentFolder16()
{
    char buf[4096];
    return hgl::test::ToU16(getcwd(buf, sizeof(buf)) ? buf : "");
}

// Decompresses a block made here through a plug-in: true when it all works.
bool ZipWorks()
{
    const char text[] = "InitCore and CloseCore, and again";
    char packed[256], plain[64];
    const int n = Compress(u"Zip", text, sizeof(text), packed, sizeof(packed));
    return n > 0 && Decompress(u"Zip", packed, n, plain, sizeof(plain)) == int(sizeof(text)) &&
           std::string(plain) == text;
}
} // namespace

TEST(CoreInfoStrings, BoundsAndCopies)
{
    EXPECT_EQ(GetInfoString(0), nullptr);
    EXPECT_EQ(GetInfoString(17), nullptr);
    EXPECT_EQ(GetInfoString(-3), nullptr);
    EXPECT_EQ(Info(1), u"HGL 视觉小说引擎");
    EXPECT_EQ(Info(2), u"HGL Visual Novel Engine");
    EXPECT_EQ(Info(3), u"1.0");
    EXPECT_EQ(Info(4), u"HGL");

    SetInfoString(3, u"changed");
    EXPECT_EQ(Info(3), u"1.0");
    SetInfoString(17, u"ignored");
    EXPECT_EQ(GetInfoString(17), nullptr);

    u16char text[] = u"/games/Plug-Ins";
    SetInfoString(6, text);
    text[0] = u'X';                                 // a copy was stored
    EXPECT_EQ(Info(6), u"/games/Plug-Ins");
    SetInfoString(6, u"/other");
    EXPECT_EQ(Info(6), u"/other");
    SetInfoString(16, u"/games/avg");

    // An empty text is stored as such (a folder not found); null clears the slot.
    SetInfoString(9, u"");
    ASSERT_NE(GetInfoString(9), nullptr);
    EXPECT_EQ(Info(9), u"");
    SetInfoString(9, nullptr);
    EXPECT_EQ(GetInfoString(9), nullptr);
    SetInfoString(7, u"/gui");
    SetInfoString(7, GetInfoString(7));             // its own text again
    EXPECT_EQ(Info(7), u"/gui");

    ClearInfoStrings();
    EXPECT_EQ(GetInfoString(6), nullptr);
    EXPECT_EQ(GetInfoString(16), nullptr);
    EXPECT_EQ(Info(1), u"HGL 视觉小说引擎");

    int a = 0, b = 0;
    EXPECT_EQ(GetGlobalPointer(6), nullptr);
    SetGlobalPointer(0, &a);
    SetGlobalPointer(6, &a);
    EXPECT_EQ(GetGlobalPointer(0), nullptr);
    SetGlobalPointer(1, &a);
    SetGlobalPointer(5, &b);
    EXPECT_EQ(GetGlobalPointer(1), &a);
    EXPECT_EQ(GetGlobalPointer(5), &b);
    ClearGlobalPointers();
    EXPECT_EQ(GetGlobalPointer(1), nullptr);
    EXPECT_EQ(GetGlobalPointer(5), nullptr);
}

TEST(CoreSystemInitInfo, DefaultsAndCheck)
{
    SystemInitInfo sii;
    EXPECT_EQ(S(sii.StartFolder), CurrentFolder16());
    EXPECT_EQ(sii.FrameMode, 2);
    EXPECT_TRUE(sii.SkipSingleInstanceCheck);
    EXPECT_FALSE(sii.WaitActive);
    EXPECT_TRUE(sii.BackNotDraw);
    EXPECT_TRUE(sii.CloseScreenSaver);
    EXPECT_FALSE(sii.UseJoystick);
    EXPECT_EQ(sii.ReservedValue, 100);
    EXPECT_FALSE(sii.graphics.FullScreen);
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);
    EXPECT_EQ(sii.graphics.Mode.Bits, 32);
    EXPECT_EQ(sii.graphics.Mode.Refresh, 75);
    EXPECT_EQ(sii.graphics.FPS, 60);
    EXPECT_EQ(sii.graphics.Pixel.DepthBits, 32);
    EXPECT_TRUE(sii.graphics.GL.GLSL);
    EXPECT_FALSE(sii.graphics.gui.Use);
    EXPECT_EQ(S(sii.graphics.gui.Theme), u"ZoruVEZ.HAC");
    EXPECT_EQ(S(sii.graphics.EnglishFont.Name), u"Tahoma");
    EXPECT_EQ(sii.graphics.EnglishFont.Height, 14);
    EXPECT_TRUE(sii.graphics.EnglishFont.Bold);
    EXPECT_EQ(S(sii.graphics.DefaultFont.Name), u"黑体");
    EXPECT_FALSE(sii.graphics.DefaultFont.Bold);
    EXPECT_EQ(sii.graphics.TileFontSize, 1000);
    EXPECT_TRUE(sii.win.Caption);
    EXPECT_TRUE(sii.win.MinimizeBox);
    EXPECT_FALSE(sii.win.MaximizeBox);

    sii.graphics.Mode.Width = 0;
    sii.graphics.Mode.Height = 0;
    sii.info.ProjectName = u"测试游戏";
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);
    EXPECT_EQ(S(sii.win.Title), u"测试游戏");

    // Only 0 x 0 is replaced, and a title of its own is kept.
    sii.graphics.Mode.Width = 0;
    sii.graphics.Mode.Height = 600;
    sii.win.Title = u"标题";
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 0);
    EXPECT_EQ(S(sii.win.Title), u"标题");
}

TEST(CoreSystemInitInfo, SingleInstanceAcrossProcesses)
{
    TempDir dir("svcsingle");
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());

    {
        // Skipped, or without a project name, the check always passes.
        SystemInitInfo a, b;
        EXPECT_TRUE(a.CheckSingleInstance());
        a.SkipSingleInstanceCheck = false;
        b.SkipSingleInstanceCheck = false;
        EXPECT_TRUE(a.CheckSingleInstance());
        EXPECT_TRUE(b.CheckSingleInstance());
        EXPECT_TRUE(dir.List().empty());
    }

    auto first = std::make_unique<SystemInitInfo>();
    first->info.ProjectName = u"单实例/测试";
    first->SkipSingleInstanceCheck = false;
    ASSERT_TRUE(first->CheckSingleInstance());
    const std::string lock = SystemInitInfo::SingleInstanceLockFile(first->info.ProjectName);
    EXPECT_EQ(lock.rfind(dir.Path() + "/", 0), 0u);
    EXPECT_EQ(lock.find('/', dir.Path().size() + 1), std::string::npos);

    // A second process with the same project is refused with the message.
    auto second_process = [] {
        const pid_t child = fork();
        if (child == 0)
        {
            LogCapture log;
            SystemInitInfo sii;
            sii.info.ProjectName = u"单实例/测试";
            sii.SkipSingleInstanceCheck = false;
            const bool ok = sii.CheckSingleInstance();
            const bool message = log.Errors() == std::vector<std::u16string>{u"本程序不允许重复启动,请关闭前一个。"};
            _exit(ok ? 1 : (message ? 0 : 2));
        }
        int status = -1;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };

    EXPECT_EQ(second_process(), 0);

    // Another project name is not affected.
    {
        SystemInitInfo other;
        other.info.ProjectName = u"单实例/别的";
        other.SkipSingleInstanceCheck = false;
        EXPECT_TRUE(other.CheckSingleInstance());
    }

    // Once the first description is gone, a new start succeeds.
    first.reset();
    EXPECT_EQ(second_process(), 1);
}

TEST(Core, StartAndStopTwiceInOneProcess)
{
    TempDir dir("svccore");
    ScopedEnv runtime("XDG_DATA_HOME", dir.File("data").c_str());
    ScopedEnv kit("OVGDK", nullptr);

    for (int round = 0; round < 2; round++)
    {
        SCOPED_TRACE(round);
        SpecialPathBlock paths;
        InitCore(&paths, true);

        // The start folder is the build folder, which holds the plug-ins.
        EXPECT_EQ(Info(8), CurrentFolder16());
        EXPECT_EQ(Info(5), CurrentFolder16());
        EXPECT_EQ(Info(6), std::u16string(paths[spPlugInsFolder]));
        EXPECT_NE(Info(6).find(u"Plug-Ins"), std::u16string::npos);
        EXPECT_EQ(Info(16).substr(Info(16).rfind(u'/')), u"/test_io_services");
        EXPECT_EQ(Info(11), std::u16string(paths[spTempFolder]));
        EXPECT_EQ(Info(12), hgl::test::ToU16(dir.File("data")));
        EXPECT_NE(GetLogInterface(), nullptr);
        EXPECT_NE(GetPlugInByType(1), nullptr);
        const std::u16string log_file = GetLogFileName();

        EXPECT_TRUE(ZipWorks());
        int app = 0;
        SetGlobalPointer(2, &app);

        CloseCore();
        EXPECT_EQ(GetLogInterface(), nullptr);
        EXPECT_EQ(GetPlugInCount(), 0);
        EXPECT_EQ(GetInfoString(6), nullptr);
        EXPECT_EQ(GetInfoString(8), nullptr);

        // The log holds the start-up report, the plug-in's load, and the closing line;
        // release lines come after the log is closed and are not in it.
        std::ifstream in(hgl::test::ToU8(log_file), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 10u);
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += char16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
        EXPECT_NE(text.find(u"\r\n　　　　插件路径:" + std::u16string(paths[spPlugInsFolder]) + u"\r\n"), std::u16string::npos);
        EXPECT_NE(text.find(u"\r\n加载插件<Compress.Zip>:<"), std::u16string::npos);
        EXPECT_EQ(text.find(u"释放插件"), std::u16string::npos);
        EXPECT_EQ(text.substr(text.size() - 9), u"\r\n关闭日志!\r\n");
        std::remove(hgl::test::ToU8(log_file).c_str());
    }

    // Everything released, the info strings gone: a decompression still loads its plug-in.
    EXPECT_TRUE(ZipWorks());
    ReleaseAllPlugIn();
}

namespace
{
std::vector<std::string> calls;

void HookFont(const Font &f) { calls.push_back("font " + f.Name.ToUTF8()); }
void *HookTileFont(const Font &chs, const Font &eng, int count)
{
    calls.push_back("tile " + chs.Name.ToUTF8() + " " + eng.Name.ToUTF8() + " " + std::to_string(count));
    static int font;
    return &font;
}
void HookGL(SystemInitInfo &sii) { calls.push_back("gl " + std::to_string(sii.graphics.FPS)); }
bool HookGUI(const String &theme)
{
    calls.push_back("gui " + theme.ToUTF8());
    return true;
}
bool HookAL(const u16char *library, const u16char *device, bool list)
{
    calls.push_back(std::string("al ") + (library ? "lib" : "default") + " " + String(device).ToUTF8() + " " +
                    (list ? "list" : "nolist"));
    return true;
}
} // namespace

TEST(CoreBaseApplication, StartsTheCoreAndReadsTheDescription)
{
    TempDir dir("svcapp");
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    LogCapture log;

    StartUpHooks hooks;
    hooks.SetDefaultFont = HookFont;
    hooks.CreateTileFont = HookTileFont;
    hooks.InitOpenGLCaps = HookGL;
    hooks.InitGUI = HookGUI;
    hooks.InitOpenAL = HookAL;
    const StartUpHooks old = SetStartUpHooks(hooks);
    calls.clear();

    {
        BaseApplication app(false);
        EXPECT_EQ(GetGlobalPointer(2), &app);
        EXPECT_EQ(Info(8), CurrentFolder16());
        EXPECT_FALSE(app.Init(nullptr));
        EXPECT_TRUE(log.ContainsError(u"sii为空!"));

        SystemInitInfo sii;
        sii.info.ProjectName = u"应用";
        sii.info.ProjectEnglishName = u"App";
        sii.FrameMode = 3;
        sii.audio.DeviceName = u"设备";
        log.Clear();
        ASSERT_TRUE(app.Init(&sii));
        EXPECT_EQ(GetGlobalPointer(1), &sii);
        EXPECT_EQ(S(app.ProjectName), u"应用");
        EXPECT_EQ(S(app.ProjectEnglishName), u"App");
        EXPECT_EQ(app.FrameMode, 3);
        EXPECT_EQ(S(sii.win.Title), u"应用");
        EXPECT_EQ(log.Lines(), (std::vector<std::u16string>{u"不创建缺省字体！", u"不使用GUI系统！", u"初始化游戏工程成功!"}));
        EXPECT_EQ(calls, (std::vector<std::string>{"gl 60", "font 黑体", "al default 设备 nolist"}));

        // With the GUI: the default tile font becomes global pointer 4, the theme is opened.
        calls.clear();
        log.Clear();
        sii.graphics.gui.Use = true;
        ASSERT_TRUE(app.Init(&sii));
        EXPECT_EQ(log.Lines(), std::vector<std::u16string>{u"初始化游戏工程成功!"});
        EXPECT_EQ(calls, (std::vector<std::string>{"gl 60", "font 黑体", "tile 黑体 Tahoma 1000", "gui ZoruVEZ.HAC",
                                                   "al default 设备 nolist"}));
        EXPECT_NE(GetGlobalPointer(4), nullptr);

        // A second instance of the same project ends the set-up early.
        sii.SkipSingleInstanceCheck = false;
        SystemInitInfo twin;
        twin.info.ProjectName = u"应用";
        twin.SkipSingleInstanceCheck = false;
        ASSERT_TRUE(twin.CheckSingleInstance());
        calls.clear();
        log.Clear();
        EXPECT_FALSE(app.Init(&sii));
        EXPECT_EQ(log.Lines(), std::vector<std::u16string>{u"本程序不允许重复启动,请关闭前一个。"});
        EXPECT_TRUE(calls.empty());
    }

    // The destructor shut the core down.
    EXPECT_EQ(GetInfoString(8), nullptr);
    SetStartUpHooks(old);
}

namespace
{
// An application whose display cannot be set up.
class NoDisplayApplication : public BaseApplication
{
public:
    NoDisplayApplication() : BaseApplication(false) {}

protected:
    bool InitDisplay(SystemInitInfo &) override { return false; }
};
} // namespace

TEST(CoreBaseApplication, AFailedDisplayEndsTheSetUp)
{
    LogCapture log;
    NoDisplayApplication app;
    SystemInitInfo sii;
    sii.info.ProjectName = u"无显示";
    EXPECT_FALSE(app.Init(&sii));
    EXPECT_EQ(log.Errors(), std::vector<std::u16string>{u"初始化显示模式失败"});
    EXPECT_FALSE(log.Contains(u"初始化游戏工程成功!"));
    EXPECT_EQ(GetGlobalPointer(1), &sii);           // set before the display
    EXPECT_EQ(S(app.ProjectName), u"无显示");
}
