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
    auto hac = MountFolder(dir, "Data");
    ASSERT_TRUE(hac);
    ASSERT_NE(dynamic_cast<HacMapping *>(hac.get()), nullptr);

    // Leading separator or not, any case: the disk path is root, one '\', name.
    for (const char16_t *p : {u"Scripts\\Start.TXT", u"\\Scripts\\Start.TXT", u"scripts\\start.txt", u"/SCRIPTS/START.TXT"})
        ExpectServes(hac.get(), p, "start");

    // An empty file is a success with nothing in it; a folder or a missing file fails.
    void *buffer = nullptr;
    int size = -1;
    ASSERT_TRUE(hac->LoadFile(u"empty.bin", &buffer, &size));
    EXPECT_EQ(size, 0);
    delete[] static_cast<uint8_t *>(buffer);
    std::unique_ptr<hgl::Stream> e(hac->LoadFileStream(u"empty.bin", true));
    ASSERT_TRUE(e);
    EXPECT_EQ(int64_t(e->Size), 0);

    EXPECT_TRUE(hac->FileExist(u"Sub"));          // folders count for FileExist
    EXPECT_FALSE(hac->LoadFile(u"Sub", &buffer, &size));
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"Sub", true), nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"missing", true), nullptr);
    EXPECT_FALSE(hac->LoadFile(u"missing", &buffer, &size));
}

TEST(HacMapping, Listings)
{
    TempDir dir("map");
    ASSERT_TRUE(dir.WriteFile("Data/Pics/Back.PNG", "0123456789"));
    ASSERT_TRUE(dir.WriteFile("Data/Pics/lower.png", "abc"));
    ASSERT_TRUE(dir.MakeDir("Data/Pics/Inner"));
    ASSERT_TRUE(dir.MakeDir("Data/Nothing"));
    auto hac = MountFolder(dir, "Data");
    ASSERT_TRUE(hac);

    void *pics = hac->FindFolder(u"Pics");
    ASSERT_NE(pics, nullptr);
    EXPECT_EQ(pics, hac->FindFolder(u"PICS"));          // built once, found again in any case
    EXPECT_EQ(pics, hac->FindFolder(u"\\pics"));
    EXPECT_EQ(pics, hac->FindFolder(u"pics\\"));
    EXPECT_EQ(hac->GetFileCount(pics), 3);               // the sub-folder is an entry
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"Nothing")), 0);
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"not there")), 0);

    int size = -1;
    void *entry = hac->FindFile(pics, u"BACK.png", &size);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(size, 10);
    EXPECT_NE(hac->FindFile(pics, u"inner", nullptr), nullptr);
    EXPECT_TRUE(hac->FileExistInFolder(pics, u"back.png"));
    EXPECT_FALSE(hac->FileExistInFolder(pics, u"Back.PNG"));   // compared unchanged
    EXPECT_NE(hac->FindFileFromRoot(u"Pics\\back.png", &size), nullptr);
    EXPECT_EQ(hac->FindFileFromRoot(u"Pics\\none.png", &size), nullptr);

    hgl::String name;
    EXPECT_FALSE(hac->GetFileByIndex(pics, -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(pics, 3, name, size));
    EXPECT_TRUE(hac->GetFileByIndex(pics, 0, name, size));

    // The disk file behind an entry, reached through its real spelling.
    char buf[16] = {};
    EXPECT_TRUE(hac->ReadFilePart(entry, 0, 0, buf));
    EXPECT_EQ(std::string(buf, 10), "0123456789");
    EXPECT_TRUE(hac->ReadFilePart(entry, 3, 4, buf));
    EXPECT_EQ(std::string(buf, 4), "3456");
    EXPECT_FALSE(hac->ReadFilePart(entry, 8, 3, buf));
    EXPECT_FALSE(hac->ReadFilePart(entry, -2, 4, buf));
    std::unique_ptr<hgl::Stream> s(hac->LoadFileStreamInFolder(pics, u"back.png", true));
    EXPECT_EQ(ReadAll(s.get()), "0123456789");
    void *buffer = nullptr;
    EXPECT_TRUE(hac->LoadFileInFolder(pics, u"LOWER.PNG", &buffer, &size));
    EXPECT_EQ(size, 3);
    delete[] static_cast<uint8_t *>(buffer);

    // Listings are never refreshed; whole-file loads still see the disk.
    ASSERT_TRUE(dir.WriteFile("Data/Pics/late.png", "late"));
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
        // An empty root is the start folder, not the file system's root.
        std::unique_ptr<HAC> hac(hgl::OpenHAC(u""));
        ASSERT_TRUE(hac);
        EXPECT_TRUE(hac->FileExist(u"here.txt"));
        EXPECT_TRUE(hac->FileExist(u"\\here.txt"));
        EXPECT_EQ(LoadText(hac.get(), u"Here.txt"), "here");
        EXPECT_NE(hac->FindFile(nullptr, u"HERE.TXT", nullptr), nullptr);
        std::unique_ptr<HAC> null_root(hgl::OpenHAC(nullptr));
        ASSERT_TRUE(null_root);
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
