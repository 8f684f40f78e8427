// Less-used corners of the plug-in manager: loading straight into a registry slot,
// the callbacks handed to plug-ins, the built-in log as plug-in type 1, and the
// module wrapper's messages.
#include "PlugInTestSupport.h"

#include "io/Compress.h"
#include "io/LogFile.h"

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using U16Lines = std::vector<std::u16string>;

namespace
{
using PlugInEdgeTest = PlugInFixture;

struct OrderTable   // what "Test.Order" hands back for interface version 1
{
    PlugInInterfaceByNameCallback ByName;
    PlugInInterfaceByTypeCallback ByType;
};
} // namespace

TEST_F(PlugInEdgeTest, LoadingWithATypeAndTheCallbacks)
{
    PlugIn *p = LoadPlugIn(u"Test.Order", 2);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->GetType(), 2);
    OrderTable t{};
    ASSERT_TRUE(p->GetInterface(1, &t));
    EXPECT_EQ(t.ByName, &GetPlugInInterfaceByNameCallback);
    EXPECT_EQ(t.ByType, &GetPlugInInterfaceByTypeCallback);
    OrderTable via{};
    EXPECT_TRUE(t.ByType(2, 1, &via));
    EXPECT_EQ(via.ByName, t.ByName);

    // A second load reuses it: its type and the slots stay as they were.
    EXPECT_EQ(LoadPlugIn(u"Test.Order", 3), p);
    EXPECT_EQ(p->GetType(), 2);
    EXPECT_FALSE(t.ByType(3, 1, &via));

    // A type outside 1..4 is only remembered by the plug-in.
    PlugIn *q = LoadPlugIn(u"Compress.RLE", 9);
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->GetType(), 9);
    RegisterPlugInType(q, 7);
    EXPECT_EQ(q->GetType(), 7);
    for (int type : {0, 5, 7, 9, -1})
        EXPECT_FALSE(t.ByType(type, 3, &via)) << type;
    EXPECT_EQ(GetPlugInCount(), 2);

    // The name callback keeps the reference it takes.
    CompressPlugInInterface rec{};
    EXPECT_TRUE(t.ByName(u"Compress.Zip", 3, &rec));
    EXPECT_NE(rec.Decompress, nullptr);
    EXPECT_FALSE(t.ByName(nullptr, 3, &rec));
    PlugIn *zip = LoadPlugIn(u"Compress.Zip");
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->GetRefCount(), 2);
    ReleasePlugIn(zip);
    EXPECT_TRUE(LibraryMapped("Compress.Zip"));

    // The slot empties with the last reference, not before.
    ReleasePlugIn(p);
    EXPECT_TRUE(t.ByType(2, 1, &via));
    ReleasePlugIn(p);
    EXPECT_FALSE(GetPlugInInterfaceByTypeCallback(2, 1, &via));
    EXPECT_FALSE(LibraryMapped("Test.Order"));
    ReleasePlugIn(nullptr);

    // Shut-down empties the slots of the plug-ins it deletes.
    RegisterPlugInType(q, 4);
    ReleaseAllPlugIn();
    EXPECT_EQ(GetPlugInByType(4), nullptr);
    EXPECT_FALSE(LibraryMapped("Compress.RLE"));
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));
}

TEST_F(PlugInEdgeTest, TheLogIsPlugInTypeOne)
{
    hgl::test::TempDir dir{"svcplog"};
    LogPlugIn *lp = InitLog(dir.Path16().c_str(), u"edge", 936, false);
    ASSERT_NE(lp, nullptr);
    EXPECT_EQ(lp->GetType(), 1);
    EXPECT_EQ(S(lp->GetName()), u"UNICODE格式文本日志输出");
    EXPECT_EQ(S(lp->GetFileName()), u"LogPlugIn");
    EXPECT_EQ(lp->GetVersion(), 0u);
    EXPECT_EQ(lp->GetIntro(), nullptr);
    EXPECT_EQ(GetPlugInByType(1), lp);

    // Closing the log leaves the plug-in with the manager; shut-down deletes it.
    CloseLog();
    LogInterface table{};
    EXPECT_TRUE(GetPlugInInterfaceByTypeCallback(1, 2, &table));
    EXPECT_EQ(table.WriteText, &LogWriteText);
    ReleaseAllPlugIn();
    EXPECT_FALSE(GetPlugInInterfaceByTypeCallback(1, 2, &table));
}

TEST_F(PlugInEdgeTest, ModuleMessagesAndReloading)
{
    LogCapture log;
    ExternalModule m;

    const std::u16string missing = PlugInDir() + u"/NotThere.so";
    EXPECT_FALSE(m.Load(missing.c_str()));
    ASSERT_EQ(log.Errors().size(), 1u);
    EXPECT_EQ(log.Errors()[0].rfind(u"加载模块<" + missing + u">失败！Windows 回报错误码: ", 0), 0u) << log.Dump();

    // A missing export's name is an 8-bit text in code page 936.
    log.Clear();
    ASSERT_TRUE(m.Load(PlugInFile("Compress.Zip").c_str()));
    EXPECT_EQ(m.FindFunc("NoSuchExport"), nullptr);
    EXPECT_EQ(log.Count(), 0u);
    EXPECT_EQ(m.GetFunc("\xba\xaf\xca\xfd"), nullptr);   // "函数" in GBK
    EXPECT_EQ(log.Entries().size(), 1u);
    EXPECT_TRUE(log.ContainsInfo(u"没有找到函数<函数>！")) << log.Dump();

    // Loading again frees the library held before.
    ASSERT_TRUE(m.Load(PlugInFile("Compress.RLE").c_str()));
    EXPECT_FALSE(LibraryMapped("Compress.Zip"));
    EXPECT_NE(m.GetFunc("GetPlugInVersion"), nullptr);
    m.Free();
    EXPECT_FALSE(LibraryMapped("Compress.RLE"));
    m.Free();
}
