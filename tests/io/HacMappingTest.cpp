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

TEST(HacMapping, Listings)
{
    TempDir dir("map");
    ASSERT_TRUE(dir.WriteFile("Data/ReadMe.TXT", "hello"));
    ASSERT_TRUE(dir.WriteFile("Data/Pics/Back.PNG", "0123456789"));
    ASSERT_TRUE(dir.WriteFile("Data/Pics/lower.png", "abc"));
    ASSERT_TRUE(dir.MakeDir("Data/Pics/Inner"));
    ASSERT_TRUE(dir.MakeDir("Data/Nothing"));
    auto hac = MountFolder(dir, "Data");
    ASSERT_TRUE(hac);

    // Built once per folder, found again whatever the letter case; sub-folders count.
    void *top = hac->FindFolder(nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(hac->FindFolder(u""), top);
    EXPECT_EQ(hac->GetFileCount(nullptr), 3);
    void *pics = hac->FindFolder(u"Pics");
    ASSERT_NE(pics, nullptr);
    for (const char16_t *p : {u"PICS", u"\\pics", u"pics\\"})
        EXPECT_EQ(pics, hac->FindFolder(p)) << hgl::test::U8(p);
    EXPECT_EQ(hac->GetFileCount(pics), 3);
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"Nothing")), 0);
    void *ghost = hac->FindFolder(u"ghost");
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(hac->GetFileCount(ghost), 0);
    EXPECT_EQ(hac->FindFolder(u"GHOST"), ghost);

    hgl::String name;
    int size = -1;
    EXPECT_FALSE(hac->GetFileByIndex(pics, -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(pics, 3, name, size));
    bool saw_pics = false, saw_readme = false;
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(hac->GetFileByIndex(nullptr, i, name, size));
        saw_pics |= name == u"pics";
        saw_readme |= name == u"readme.txt" && size == 5;
    }
    EXPECT_TRUE(saw_pics);
    EXPECT_TRUE(saw_readme);

    // FindFile lower-cases; FileExistInFolder compares unchanged, except on the disk (null).
    void *entry = hac->FindFile(pics, u"BACK.png", &size);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(size, 10);
    EXPECT_NE(hac->FindFile(pics, u"inner", nullptr), nullptr);
    EXPECT_EQ(hac->FindFile(nullptr, u"", &size), nullptr);
    EXPECT_EQ(hac->FindFile(nullptr, nullptr, &size), nullptr);
    EXPECT_TRUE(hac->FileExistInFolder(pics, u"back.png"));
    EXPECT_FALSE(hac->FileExistInFolder(pics, u"Back.PNG"));
    EXPECT_TRUE(hac->FileExistInFolder(nullptr, u"ReadMe.TXT"));
    // FindFileFromRoot splits at the last '\'.
    EXPECT_EQ(hac->FindFileFromRoot(u"Pics\\BACK.png", &size), entry);
    EXPECT_EQ(hac->FindFileFromRoot(u"Pics\\none.png", &size), nullptr);
    EXPECT_EQ(hac->FindFileFromRoot(u""), nullptr);

    // The disk file behind an entry, reached through its real spelling.
    char buf[16] = {};
    EXPECT_TRUE(hac->ReadFilePart(entry, 0, 0, buf));
    EXPECT_EQ(std::string(buf, 10), "0123456789");
    EXPECT_TRUE(hac->ReadFilePart(entry, 3, 4, buf));
    EXPECT_EQ(std::string(buf, 4), "3456");
    EXPECT_FALSE(hac->ReadFilePart(entry, 8, 3, buf));
    EXPECT_FALSE(hac->ReadFilePart(entry, -2, 4, buf));
    EXPECT_FALSE(hac->ReadFilePart(entry, 0, -1, buf));
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, buf));
    EXPECT_FALSE(hac->ReadFilePart(entry, 0, 0, nullptr));

    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(pics, u"back.png", true)), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(pics, u"BACK.PNG", false)), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(nullptr, u"pics\\Back.png", false)), "0123456789");
    void *buffer = nullptr;
    ASSERT_TRUE(hac->LoadFileInFolder(pics, u"LOWER.PNG", &buffer, &size));
    EXPECT_EQ(Take(buffer, size), "abc");
    ASSERT_TRUE(hac->LoadFileInFolder(nullptr, u"ReadMe.TXT", &buffer, &size));
    EXPECT_EQ(Take(buffer, size), "hello");
    EXPECT_FALSE(hac->LoadFileInFolder(pics, u"absent", &buffer, &size));

    // Listings are never refreshed; whole-file loads still see the disk.
    ASSERT_TRUE(dir.WriteFile("Data/Pics/late.png", "late"));
    EXPECT_EQ(hac->GetFileCount(pics), 3);
    EXPECT_EQ(hac->FindFile(pics, u"late.png", nullptr), nullptr);
    EXPECT_EQ(LoadText(hac.get(), u"Pics\\late.png"), "late");

    // An entry whose file went away reads as a failure.
    ASSERT_EQ(unlink(dir.File("Data/Pics/lower.png").c_str()), 0);
    EXPECT_FALSE(hac->ReadFilePart(hac->FindFile(pics, u"lower.png", nullptr), 0, 0, buf));
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
