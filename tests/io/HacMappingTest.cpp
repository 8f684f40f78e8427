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
std::unique_ptr<HAC> MountFolder(const TempDir &dir, const std::string &sub)
{
    return std::unique_ptr<HAC>(hgl::OpenHAC(dir.File16(sub).c_str()));
}
} // namespace

TEST(HacMapping, WholeFileOperations)
{
    TempDir dir("map");
    ASSERT_TRUE(dir.WriteFile("Data/Scripts/Start.TXT", "start"));
    ASSERT_TRUE(dir.WriteFile("Data/empty.bin", ""));
    ASSERT_TRUE(dir.MakeDir("Data/Sub"));
    LogCapture log;
    auto hac = MountFolder(dir, "Data");
    ASSERT_TRUE(hac);
    ASSERT_NE(dynamic_cast<HacMapping *>(hac.get()), nullptr);
    EXPECT_FALSE(log.ContainsPart(u"打开HAC包")) << log.Dump();

    // Leading separator or not, any case (disk names are matched without regard
    // to case): the disk path is root, one '\', name.
    for (const char16_t *p : {u"Scripts\\Start.TXT", u"\\Scripts\\Start.TXT", u"scripts\\start.txt", u"/SCRIPTS/START.TXT",
                              u"scripts/Start.txt"})
        ExpectServes(hac.get(), p, "start");

    // An empty file is a success with nothing in it; a folder or a missing file fails.
    ExpectServes(hac.get(), u"empty.bin", "");
    void *buffer = nullptr;
    int size = -1;
    EXPECT_TRUE(hac->FileExist(u"Sub")); // folders count for FileExist
    EXPECT_FALSE(hac->LoadFile(u"Sub", &buffer, &size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"Sub", true), nullptr);
    EXPECT_FALSE(hac->FileExist(u"missing"));
    EXPECT_EQ(hac->LoadFileStream(u"missing", true), nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"missing", false), nullptr);
    EXPECT_FALSE(hac->LoadFile(u"missing", &buffer, &size));

    // Paths that do not fit the path buffer fail.
    const std::u16string longpath(5000, u'a');
    EXPECT_FALSE(hac->FileExist(longpath.c_str()));
    EXPECT_FALSE(hac->LoadFile(longpath.c_str(), &buffer, &size));
    EXPECT_EQ(hac->LoadFileStream(longpath.c_str(), true), nullptr);
}

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
        hgl::SetInfoString(8, dir.Path16().c_str());
        std::unique_ptr<HAC> hac(hgl::OpenHAC(u""));
        ASSERT_TRUE(hac);
        EXPECT_EQ(LoadText(hac.get(), u"here.TXT"), "here");
        EXPECT_EQ(hac->GetFileCount(nullptr), 1);
        hgl::SetInfoString(8, nullptr);
    }

    // An absolute root lists its own folder.
    std::unique_ptr<HAC> abs(hgl::OpenHAC(dir.Path16().c_str()));
    ASSERT_TRUE(abs);
    EXPECT_EQ(abs->GetFileCount(nullptr), 1);
    EXPECT_NE(abs->FindFileFromRoot(u"here.txt", nullptr), nullptr);

    LogCapture log;
    const std::u16string missing = dir.File16("NoSuchFolder");
    HacMapping bad(missing.c_str());
    EXPECT_TRUE(log.ContainsError(u"初始化HAC所映射的子目录<" + missing + u">并不存在，请查证！")) << log.Dump();
    EXPECT_EQ(bad.GetRoot().GetLength(), 0);
}
