// Start-up and shut-down seen from outside: the description's checks, the
// single-instance lock within one process, the core started and stopped repeatedly
// (with a log, with a capture listening, with compression working every time), and
// the path block of the content platform's size.
#include "PlugInTestSupport.h"

#include "io/BaseApplication.h"
#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SpecialPath.h"
#include "io/SystemInitInfo.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using hgl::test::ScopedEnv;

namespace
{
std::u16string Str(const u16char *s)
{
    return s ? std::u16string(s) : std::u16string(u"(null)");
}

std::u16string FileOf(const char *name)
{
    const u16char *dir = GetInfoString(6);
    std::u16string f = dir ? dir : u"";
    if (!f.empty() && f.back() != u'/' && f.back() != u'\\')
        f += u"/";
    return f + hgl::test::ToU16(name) + u".so";
}

std::string KitRootOfBuild()
{
    std::string d = HGL_PLUGIN_DIR;
    return d.substr(0, d.rfind('/'));
}
} // namespace

TEST(CoreEdge, DescriptionChecks)
{
    SystemInitInfo sii;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(S(sii.StartFolder), hgl::test::ToU16(cwd));

    // Only 0 x 0 is replaced; a given title is kept.
    sii.info.ProjectName = u"游戏";
    sii.graphics.Mode.Width = 0;
    sii.graphics.Mode.Height = 600;
    sii.win.Title = u"窗口";
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 0);
    EXPECT_EQ(sii.graphics.Mode.Height, 600);
    EXPECT_EQ(S(sii.win.Title), u"窗口");

    sii.graphics.Mode.Height = 0;
    sii.win.Title = String();
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);
    EXPECT_EQ(S(sii.win.Title), u"游戏");

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

TEST(CoreEdge, SingleInstanceWithinOneProcess)
{
    hgl::test::TempDir runtime{"svclock"};
    ScopedEnv runtime_env("XDG_RUNTIME_DIR", runtime.Path().c_str());
    const std::string name = "hgl-acc-" + std::to_string(getpid());
    const std::u16string name16 = hgl::test::ToU16(name);

    // The skip switch is on by default: no lock is taken at all.
    {
        SystemInitInfo a, b;
        a.info.ProjectName = name16.c_str();
        b.info.ProjectName = name16.c_str();
        EXPECT_TRUE(a.CheckSingleInstance());
        EXPECT_TRUE(b.CheckSingleInstance());
    }

    // An empty project name always passes.
    {
        SystemInitInfo a, b;
        a.SkipSingleInstanceCheck = b.SkipSingleInstanceCheck = false;
        EXPECT_TRUE(a.CheckSingleInstance());
        EXPECT_TRUE(b.CheckSingleInstance());
    }

    {
        LogCapture log;
        auto a = std::make_unique<SystemInitInfo>();
        a->SkipSingleInstanceCheck = false;
        a->info.ProjectName = name16.c_str();
        EXPECT_TRUE(a->CheckSingleInstance());
        EXPECT_EQ(log.Count(), 0u);

        SystemInitInfo b;
        b.SkipSingleInstanceCheck = false;
        b.info.ProjectName = name16.c_str();
        EXPECT_FALSE(b.CheckSingleInstance());
        EXPECT_EQ(log.Errors(), std::vector<std::u16string>{u"本程序不允许重复启动,请关闭前一个。"}) << log.Dump();

        // The holder gone, the next one gets through.
        a.reset();
        SystemInitInfo c;
        c.SkipSingleInstanceCheck = false;
        c.info.ProjectName = name16.c_str();
        EXPECT_TRUE(c.CheckSingleInstance());
    }
}

TEST(CoreEdge, StartAndStopRepeatedly)
{
    ScopedEnv kit("OVGDK", KitRootOfBuild().c_str());
    hgl::test::TempDir state{"svccore"};
    ScopedEnv xdg("XDG_STATE_HOME", state.Path().c_str());

    for (int round = 0; round < 3; round++)
    {
        int marker = 0;
        SetGlobalPointer(3, &marker);

        // A capture installed before the log opens keeps hearing every line.
        LogCapture log;
        SpecialPathBlock block;
        InitCore(&block, round != 1);
        const std::u16string file = GetLogFileName();
        EXPECT_EQ(file.empty(), round == 1);
        if (round != 1)
        {
            EXPECT_TRUE(log.ContainsPart(u"这个软件使用了《")) << log.Dump();
        }
        EXPECT_EQ(GetGlobalPointer(3), nullptr) << "start-up clears the pointers";

        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        EXPECT_EQ(Str(GetInfoString(8)), hgl::test::ToU16(cwd));
        ASSERT_NE(GetInfoString(16), nullptr);
        EXPECT_NE(Str(GetInfoString(16)).find(u"test_io_services"), std::u16string::npos);
        ASSERT_NE(GetInfoString(6), nullptr);
        EXPECT_FALSE(Str(GetInfoString(6)).empty());
        for (int i = 5; i <= 16; i++)
            EXPECT_NE(GetInfoString(i), nullptr) << "round " << round << " string " << i;

        // Compression works in every round, through freshly loaded plug-ins.
        std::vector<uint8_t> plain(5000, 'q'), packed(6000), out(5000);
        const int n = Compress(u"Zip", plain.data(), 5000, packed.data(), 6000, 0);
        ASSERT_GT(n, 0);
        EXPECT_EQ(Decompress(u"Zip", packed.data(), n, out.data(), 5000), 5000);
        EXPECT_EQ(out, plain);

        EXPECT_TRUE(log.ContainsInfo(u"加载插件<Compress.Zip>:<" + FileOf("Compress.Zip") + u">完成")) << log.Dump();
        CloseCore();
        EXPECT_EQ(GetLogInterface(), nullptr);
        if (!file.empty())
        {
            // The plug-ins' release lines come after the log closed: not in the file.
            std::string bytes;
            {
                std::ifstream in(hgl::test::ToU8(file), std::ios::binary);
                bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
            }
            std::u16string text(bytes.size() / 2, u'\0');
            std::memcpy(text.data(), bytes.data(), text.size() * 2);
            EXPECT_NE(text.find(u"加载插件<Compress.Zip>"), std::u16string::npos);
            EXPECT_EQ(text.find(u"释放插件"), std::u16string::npos);
            const std::u16string tail = u"\r\n关闭日志!\r\n";
            ASSERT_GE(text.size(), tail.size());
            EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
            std::remove(hgl::test::ToU8(file).c_str());
        }
        EXPECT_FALSE(LibraryMapped("Compress.Zip"));
        for (int i = 5; i <= 16; i++)
            EXPECT_EQ(GetInfoString(i), nullptr) << i;
        EXPECT_NE(GetInfoString(1), nullptr);
    }
}

TEST(CoreEdge, TheApplicationStartsAndStopsTheCore)
{
    ScopedEnv kit("OVGDK", KitRootOfBuild().c_str());
    {
        BaseApplication app(false);
        EXPECT_EQ(GetGlobalPointer(2), &app);
        EXPECT_NE(GetInfoString(8), nullptr);
        EXPECT_EQ(GetLogInterface(), nullptr) << "no log asked for";
        EXPECT_NE(GetCompressInterface(u"Zip"), nullptr);
    }
    EXPECT_EQ(GetInfoString(8), nullptr) << "the destructor shut the core down";
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));
}

TEST(CoreEdge, PathBlockOfFifteenBuffers)
{
    ScopedEnv kit("OVGDK", KitRootOfBuild().c_str());

    // The content platform's block: fifteen buffers of 260 units.
    static u16char paths[15][HGL_MAX_PATH];
    InitCore(paths, false);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    if (std::strlen(cwd) < size_t(HGL_MAX_PATH))
    {
        EXPECT_EQ(Str(paths[0]), hgl::test::ToU16(cwd));
        EXPECT_EQ(Str(GetInfoString(8)), hgl::test::ToU16(cwd));
    }
    EXPECT_EQ(Str(GetInfoString(5)), Str(paths[12]));
    EXPECT_EQ(Str(GetInfoString(6)), Str(paths[14]));
    EXPECT_EQ(Str(GetInfoString(7)), Str(paths[13]));
    CloseCore();
    EXPECT_EQ(GetInfoString(8), nullptr);

    // No block: the core keeps one of its own.
    InitCore(nullptr, false);
    EXPECT_NE(GetInfoString(8), nullptr);
    CloseCore();
}
