#include "PlugInTestSupport.h"

#include "io/BaseApplication.h"
#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SpecialPath.h"
#include "io/SystemInitInfo.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
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

std::string KitRootOfBuild()
{
    const std::string d = HGL_PLUGIN_DIR;
    return d.substr(0, d.rfind('/'));
}
} // namespace

TEST(CoreInfoStrings, BoundsAndCopies)
{
    for (int i : {-3, 0, 17})
        EXPECT_EQ(GetInfoString(i), nullptr) << i;
    const char16_t *const identity[] = {u"HGL 视觉小说引擎", u"HGL Visual Novel Engine", u"1.0", u"HGL"};
    for (int i = 1; i <= 4; i++)
        EXPECT_EQ(Info(i), identity[i - 1]);

    // The identity strings are constant; there is no slot past 16.
    SetInfoString(3, u"changed");
    SetInfoString(17, u"ignored");
    EXPECT_EQ(Info(3), u"1.0");
    EXPECT_EQ(GetInfoString(17), nullptr);

    u16char text[] = u"/games/Plug-Ins";
    SetInfoString(6, text);
    text[0] = u'X';                                 // a copy was stored
    EXPECT_EQ(Info(6), u"/games/Plug-Ins");

    // An empty text is stored as such (a folder not found); null clears the slot.
    SetInfoString(9, u"");
    EXPECT_EQ(Info(9), u"");
    SetInfoString(9, nullptr);
    EXPECT_EQ(GetInfoString(9), nullptr);
    SetInfoString(7, u"/gui");
    SetInfoString(7, GetInfoString(7));             // its own text again
    EXPECT_EQ(Info(7), u"/gui");

    ClearInfoStrings();
    EXPECT_EQ(GetInfoString(6), nullptr);
    EXPECT_EQ(GetInfoString(7), nullptr);
    EXPECT_EQ(Info(1), u"HGL 视觉小说引擎");

    // Global pointers have the slots 1 to 5.
    int a = 0, b = 0;
    SetGlobalPointer(0, &a);
    SetGlobalPointer(6, &a);
    EXPECT_EQ(GetGlobalPointer(0), nullptr);
    EXPECT_EQ(GetGlobalPointer(6), nullptr);
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
    // The defaults Check and the single-instance check build on; the font, theme and
    // frame-rate defaults show in the start-up hooks' calls below.
    SystemInitInfo sii;
    EXPECT_EQ(S(sii.StartFolder), CurrentFolder16());
    EXPECT_TRUE(sii.SkipSingleInstanceCheck);
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);

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
    EXPECT_EQ(sii.graphics.Mode.Height, 600);
    EXPECT_EQ(S(sii.win.Title), u"标题");

    // Check is the virtual slot after the destructor: a derived description's own runs.
    struct Mine : SystemInitInfo
    {
        int checked = 0;
        void Check() override { checked++; }
    } mine;
    SystemInitInfo *base = &mine;
    base->Check();
    EXPECT_EQ(mine.checked, 1);
}

TEST(CoreSystemInitInfo, SingleInstanceAcrossProcesses)
{
    TempDir dir("svcsingle");
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    const std::u16string name = u"单实例/测试";

    {
        // Skipped (the default), or without a project name, the check always passes.
        SystemInitInfo a, b, c, d;
        a.info.ProjectName = b.info.ProjectName = name.c_str();
        EXPECT_TRUE(a.CheckSingleInstance());
        EXPECT_TRUE(b.CheckSingleInstance());
        c.SkipSingleInstanceCheck = d.SkipSingleInstanceCheck = false;
        EXPECT_TRUE(c.CheckSingleInstance());
        EXPECT_TRUE(d.CheckSingleInstance());
        EXPECT_TRUE(dir.List().empty());
    }

    auto first = std::make_unique<SystemInitInfo>();
    first->info.ProjectName = name.c_str();
    first->SkipSingleInstanceCheck = false;
    LogCapture log;
    ASSERT_TRUE(first->CheckSingleInstance());
    EXPECT_EQ(log.Count(), 0u);
    const std::string lock = SystemInitInfo::SingleInstanceLockFile(first->info.ProjectName);
    EXPECT_EQ(lock.rfind(dir.Path() + "/", 0), 0u);
    EXPECT_EQ(lock.find('/', dir.Path().size() + 1), std::string::npos);

    // Another process with the same project is refused with the message (a second
    // one in this process is, too: see the application's set-up below).
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

TEST(Core, StartAndStopRepeatedly)
{
    TempDir dir("svccore");
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    ScopedEnv state("XDG_STATE_HOME", dir.File("state").c_str());
    static u16char fixed[15][HGL_MAX_PATH];     // the content platform's block

    for (int round = 0; round < 3; round++)
    {
        SCOPED_TRACE(round);
        const bool with_log = round != 1, fixed_block = round == 1;
        ScopedEnv kit("OVGDK", fixed_block ? KitRootOfBuild().c_str() : nullptr);
        int marker = 0;
        SetGlobalPointer(3, &marker);

        // A capture installed before the log opens keeps hearing every line.
        LogCapture log;
        SpecialPathBlock paths;
        if (fixed_block)
            InitCore(fixed, with_log);
        else
            InitCore(&paths, with_log);
        auto slot = [&](int i) { return std::u16string(fixed_block ? fixed[i] : paths[i]); };
        EXPECT_EQ(GetGlobalPointer(3), nullptr) << "start-up clears the pointers";
        EXPECT_TRUE(!with_log || log.ContainsPart(u"这个软件使用了《")) << log.Dump();

        // The start folder is the build folder, which holds the plug-ins; without a
        // kit root the start folder stands in for it. Slots 12 to 14 hold the kit
        // root, the GUI and the plug-in folders.
        if (CurrentFolder16().size() < size_t(HGL_MAX_PATH))
        {
            EXPECT_EQ(Info(8), CurrentFolder16());
            EXPECT_EQ(slot(0), CurrentFolder16());
        }
        EXPECT_EQ(Info(5), fixed_block ? hgl::test::ToU16(KitRootOfBuild()) : CurrentFolder16());
        EXPECT_EQ(Info(5), slot(12));
        EXPECT_EQ(Info(7), slot(13));
        EXPECT_EQ(Info(6), slot(14));
        EXPECT_NE(Info(6).find(u"Plug-Ins"), std::u16string::npos);
        EXPECT_EQ(Info(16).substr(Info(16).rfind(u'/')), u"/test_io_services");
        EXPECT_EQ(Info(11), slot(spTempFolder));
        EXPECT_EQ(Info(12), hgl::test::ToU16(dir.File("data")));
        for (int i = 5; i <= 16; i++)
            EXPECT_NE(GetInfoString(i), nullptr) << i;
        EXPECT_EQ(GetLogInterface() != nullptr, with_log);
        EXPECT_EQ(GetPlugInByType(1) != nullptr, with_log);
        const std::u16string log_file = GetLogFileName();
        EXPECT_EQ(log_file.empty(), !with_log);

        // Compression works in every round, through freshly loaded plug-ins.
        EXPECT_TRUE(ZipWorks());
        EXPECT_TRUE(log.ContainsInfo(u"加载插件<Compress.Zip>:<" + Info(6) + u"/Compress.Zip.so>完成")) << log.Dump();

        CloseCore();
        EXPECT_EQ(GetLogInterface(), nullptr);
        EXPECT_EQ(GetPlugInCount(), 0);
        EXPECT_FALSE(LibraryMapped("Compress.Zip"));
        for (int i = 5; i <= 16; i++)
            EXPECT_EQ(GetInfoString(i), nullptr) << i;
        EXPECT_EQ(Info(1), u"HGL 视觉小说引擎");
        if (!with_log)
            continue;

        // The log holds the start-up report, the plug-in's load, and the closing line;
        // release lines come after the log is closed and are not in it.
        std::ifstream in(hgl::test::ToU8(log_file), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GT(bytes.size(), 10u);
        std::u16string text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += char16_t(uint8_t(bytes[i]) | (uint8_t(bytes[i + 1]) << 8));
        EXPECT_NE(text.find(u"\r\n　　　　插件路径:" + slot(14) + u"\r\n"), std::u16string::npos);
        EXPECT_NE(text.find(u"\r\n加载插件<Compress.Zip>:<"), std::u16string::npos);
        EXPECT_EQ(text.find(u"释放插件"), std::u16string::npos);
        EXPECT_EQ(text.substr(text.size() - 9), u"\r\n关闭日志!\r\n");
        std::remove(hgl::test::ToU8(log_file).c_str());
    }

    // No block: the core keeps one of its own.
    InitCore(nullptr, false);
    EXPECT_NE(GetInfoString(8), nullptr);
    CloseCore();

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
        EXPECT_EQ(GetLogInterface(), nullptr) << "no log asked for";
        EXPECT_NE(GetCompressInterface(u"Zip"), nullptr);
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
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));
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
