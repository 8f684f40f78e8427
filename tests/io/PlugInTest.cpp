#include "PlugInTestSupport.h"

#include "io/Compress.h"

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using Strings = std::vector<std::string>;
using U16Lines = std::vector<std::u16string>;

namespace
{
// The record "Test.Order" hands out: the two engine callbacks it was given.
struct TestOrderInterface
{
    PlugInInterfaceByNameCallback ByName;
    PlugInInterfaceByTypeCallback ByType;
};

// A built-in plug-in, as the log is, serving one interface version.
class BuiltInPlugIn : public PlugIn
{
    static bool Serve(int version, void *record)
    {
        if (version != 5) return false;
        *static_cast<int *>(record) = 42;
        return true;
    }

  public:
    BuiltInPlugIn()
    {
        name = u"BuiltIn";
        filename = u"BuiltInPlugIn";
        get_interface = Serve;
    }
};

using PlugInTest = PlugInFixture;
} // namespace

TEST_F(PlugInTest, MissingLibrariesAndLibraryPaths)
{
    LogCapture log;
    const std::u16string file = PlugInFile("Test.Missing");

    EXPECT_EQ(LoadPlugIn(u"Test.Missing"), nullptr);

    const auto entries = log.Entries();
    ASSERT_EQ(entries.size(), 2u) << log.Dump();
    EXPECT_EQ(entries[0].level, LogLevel::Error);
    const std::u16string prefix = u"加载模块<" + file + u">失败！Windows 回报错误码: ";
    EXPECT_EQ(entries[0].text.substr(0, prefix.size()), prefix);
    EXPECT_NE(entries[0].text.find(u"Test.Missing.so"), std::u16string::npos); // the loader's own text
    EXPECT_EQ(entries[1].level, LogLevel::Info);
    EXPECT_EQ(entries[1].text, u"加载插件<Test.Missing>:<" + file + u">失败!");
    EXPECT_EQ(GetPlugInCount(), 0);

    // The suffix is appended even to a name that already ends in it.
    log.Clear();
    EXPECT_EQ(LoadPlugIn(u"Compress.Zip.so"), nullptr);
    EXPECT_TRUE(
        log.ContainsInfo(u"加载插件<Compress.Zip.so>:<" + PlugInDir() + u"/Compress.Zip.so.so>失败!"));
    EXPECT_EQ(std::u16string(kPlugInSuffix), u".so");

    // A folder that already ends in a separator gets no second one.
    log.Clear();
    SetInfoString(infoPlugInsFolder, (PlugInDir() + u"/").c_str());
    PlugIn *p = LoadPlugIn(u"Compress.RLE");
    ASSERT_NE(p, nullptr) << log.Dump();
    EXPECT_EQ(S(p->GetFileName()), PlugInFile("Compress.RLE"));
    ReleasePlugIn(p);

    // Without a plug-in folder the current one is used (tests run in the build folder,
    // which holds "Plug-Ins"), and a bare name stays bare.
    ClearInfoStrings();
    p = LoadPlugIn(u"Compress.RLE");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(S(p->GetFileName()), u"Plug-Ins/Compress.RLE.so");
    ReleasePlugIn(p);
    log.Clear();
    EXPECT_EQ(LoadPlugIn(u"Compress.Nothing"), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"加载插件<Compress.Nothing>:<Compress.Nothing.so>失败!")) << log.Dump();
}

TEST_F(PlugInTest, IncompleteLibraries)
{
    LogCapture log;

    // No version export: nothing was obtained, so the plug-in is dropped, and since it
    // was never started it is never told to close.
    EXPECT_EQ(LoadPlugIn(u"Test.NoVersion"), nullptr);
    const std::u16string nv = PlugInFile("Test.NoVersion");
    EXPECT_EQ(log.Lines(),
              (U16Lines{u"没有找到函数<GetPlugInVersion>！", u"插件<Test.NoVersion>:<" + nv + u">不正确!",
                        u"释放插件<Test.NoVersion>:<" + nv + u">完成"}));
    EXPECT_EQ(Events(), Strings{"Test.NoVersion:Unload"});
    EXPECT_EQ(GetPlugInCount(), 0);

    // Version obtained, intro missing: incorrect, but kept; not started, not closed.
    log.Clear();
    PlugIn *p = LoadPlugIn(u"Test.NoIntro");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetVersion(), 7u);
    EXPECT_EQ(p->GetIntro(), nullptr);
    EXPECT_EQ(p->GetInterfaceEntry(), nullptr);
    const std::u16string ni = PlugInFile("Test.NoIntro");
    EXPECT_EQ(log.Lines(),
              (U16Lines{u"没有找到函数<GetPlugInIntro>！", u"插件<Test.NoIntro>:<" + ni + u">不正确!"}));
    EXPECT_FALSE(p->GetInterface(1, &log)); // no entry: every request is refused
    ReleasePlugIn(p);
    EXPECT_EQ(Events(), (Strings{"Test.NoVersion:Unload", "Test.NoIntro:Unload"}));

    // A library without the interface export is logged but loads completely.
    log.Clear();
    p = LoadPlugIn(u"Compress.NoIface");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(log.Lines(),
              (U16Lines{u"没有找到函数<GetPlugInInterface>！",
                        u"加载插件<Compress.NoIface>:<" + PlugInFile("Compress.NoIface") + u">完成"}));
}

TEST_F(PlugInTest, ReleasedPlugInsLeaveNoCachedInterfaces)
{
    CompressPlugInInterface *first = GetCompressInterface(u"Zip");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetCompressInterface(u"RYC"), nullptr); // a remembered failure
    EXPECT_TRUE(LibraryMapped("Compress.Zip"));

    ReleaseAllPlugIn();
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));

    // Both the record and the failure are forgotten: the next use loads afresh.
    LogCapture log;
    CompressPlugInInterface *again = GetCompressInterface(u"Zip");
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"加载插件<Compress.Zip>:<" + PlugInFile("Compress.Zip") + u">完成"));

    char packed[64], plain[16];
    const int n = again->Compress("hello", 5, packed, sizeof(packed), 0);
    ASSERT_GT(n, 0);
    EXPECT_EQ(Decompress(u"Zip", packed, n, plain, sizeof(plain)), 5);

    log.Clear();
    EXPECT_EQ(GetCompressInterface(u"RYC"), nullptr);
    EXPECT_EQ(log.Errors().size(), 2u);

    // Releasing the plug-in behind a cached record drops that record too.
    PlugIn *zip = LoadPlugIn(u"Compress.Zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->GetRefCount(), 2); // the cache holds the other reference
    ReleasePlugIn(zip);
    ReleasePlugIn(zip);
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));
    EXPECT_NE(GetCompressInterface(u"Zip"), nullptr);
}
