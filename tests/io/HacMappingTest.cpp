// Folders of loose files served through the archive interface.
#include "ArchiveTestUtil.h"

#include "io/Core.h"
#include "io/HacMapping.h"
#include "support/LogCapture.h"

#include <unistd.h>

using namespace archive_test;
using hgl::HAC;
using hgl::HacMapping;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
} // namespace

TEST(HacMapping, RootsEmptyAbsoluteAndMissing)
{
    TempDir dir("map");
    ASSERT_TRUE(dir.WriteFile("Here.txt", "here"));
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof(old)), nullptr);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    {
        // An empty or null root is the start folder, not the file system's root.
        std::unique_ptr<HAC> hac(hgl::OpenHAC(u""));
        ASSERT_TRUE(hac);
        EXPECT_NE(dynamic_cast<HacMapping *>(hac.get()), nullptr);
        EXPECT_TRUE(hac->FileExist(u"here.txt"));
        EXPECT_TRUE(hac->FileExist(u"\\here.txt"));
        EXPECT_EQ(LoadText(hac.get(), u"Here.txt"), "here");
        EXPECT_NE(hac->FindFile(nullptr, u"HERE.TXT", nullptr), nullptr);
        std::unique_ptr<HAC> null_root(hgl::OpenHAC(nullptr));
        ASSERT_TRUE(null_root);
        EXPECT_NE(dynamic_cast<HacMapping *>(null_root.get()), nullptr);
        EXPECT_EQ(null_root->GetFileCount(nullptr), 1);
    }
    ASSERT_EQ(chdir(old), 0);
    {
        // Once the start folder is recorded, it is used wherever the process stands.
        hgl::SetInfoString(hgl::infoStartFolder, dir.Path16().c_str());
        std::unique_ptr<HAC> hac(hgl::OpenHAC(u""));
        ASSERT_TRUE(hac);
        EXPECT_EQ(LoadText(hac.get(), u"here.TXT"), "here");
        EXPECT_EQ(hac->GetFileCount(nullptr), 1);
        hgl::SetInfoString(hgl::infoStartFolder, nullptr);
    }

    // An absolute root lists its own folder.
    std::unique_ptr<HAC> abs(hgl::OpenHAC(dir.Path16().c_str()));
    ASSERT_TRUE(abs);
    EXPECT_EQ(abs->GetFileCount(nullptr), 1);
    EXPECT_NE(abs->FindFileFromRoot(u"here.txt", nullptr), nullptr);

    LogCapture log;
    const std::u16string missing = dir.File16("NoSuchFolder");
    HacMapping bad(missing.c_str());
    EXPECT_TRUE(log.ContainsError(u"初始化HAC所映射的子目录<" + missing + u">并不存在，请查证！"))
        << log.Dump();
    EXPECT_EQ(bad.GetRoot().GetLength(), 0);
}
