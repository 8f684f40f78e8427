// A disk folder served as an archive, and the mounting and loader thread that
// every archive shares.
#include "ArchiveTestUtil.h"

#include "io/HAC.h"
#include "io/HacMapping.h"
#include "io/OpenHAC.h"
#include "io/Stream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

using archive_test::Drain;
using archive_test::Take;

TEST(HacMappingEdge, FolderOperations)
{
    hgl::test::TempDir dir("mapedge");
    ASSERT_TRUE(dir.WriteFile("Data/ReadMe.TXT", "hello"));
    ASSERT_TRUE(dir.WriteFile("Data/sub/Inner.bin", "0123456789"));
    ASSERT_TRUE(dir.WriteFile("Data/empty.dat", ""));
    ASSERT_TRUE(dir.MakeDir("Data/nothing"));
    const std::u16string root = dir.File16("Data");

    hgl::test::LogCapture log;
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(root.c_str()));
    ASSERT_NE(hac, nullptr);
    EXPECT_NE(dynamic_cast<hgl::HacMapping *>(hac.get()), nullptr);
    EXPECT_FALSE(log.ContainsPart(u"打开HAC包")) << log.Dump();

    // Whole-file operations: a leading separator or none compose the same path.
    EXPECT_TRUE(hac->FileExist(u"ReadMe.TXT"));
    EXPECT_TRUE(hac->FileExist(u"\\ReadMe.TXT"));
    EXPECT_TRUE(hac->FileExist(u"/ReadMe.TXT"));
    EXPECT_TRUE(hac->FileExist(u"sub\\Inner.bin"));
    EXPECT_TRUE(hac->FileExist(u"sub"));        // a folder counts
    EXPECT_FALSE(hac->FileExist(u"absent.txt"));

    void *buf = nullptr;
    int n = -1;
    ASSERT_TRUE(hac->LoadFile(u"ReadMe.TXT", &buf, &n));
    EXPECT_EQ(Take(buf, n), "hello");
    ASSERT_TRUE(hac->LoadFile(u"empty.dat", &buf, &n));
    EXPECT_EQ(n, 0);
    delete[] static_cast<uint8_t *>(buf);
    buf = nullptr;
    EXPECT_FALSE(hac->LoadFile(u"sub", &buf, &n));      // a folder holds no bytes
    EXPECT_EQ(buf, nullptr);
    EXPECT_FALSE(hac->LoadFile(u"absent.txt", &buf, &n));
    EXPECT_EQ(hac->LoadFileStream(u"sub", true), nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"absent.txt", true), nullptr);
    EXPECT_EQ(hac->LoadFileStream(u"absent.txt", false), nullptr);
    EXPECT_EQ(Drain(hac->LoadFileStream(u"sub\\Inner.bin", false)), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStream(u"sub/Inner.bin", true)), "0123456789");
    hgl::Stream *empty = hac->LoadFileStream(u"empty.dat", true);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(int64_t(empty->Size), 0);
    delete empty;

    // Listings: built once per folder whatever the letter case; sub-folders count.
    void *top = hac->FindFolder(nullptr);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(hac->FindFolder(u""), top);
    EXPECT_EQ(hac->GetFileCount(nullptr), 4);
    EXPECT_EQ(hac->GetFileCount(top), 4);
    void *sub = hac->FindFolder(u"sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(hac->FindFolder(u"SUB"), sub);
    EXPECT_EQ(hac->FindFolder(u"\\Sub"), sub);
    EXPECT_EQ(hac->GetFileCount(sub), 1);
    EXPECT_EQ(hac->GetFileCount(hac->FindFolder(u"nothing")), 0);
    void *ghost = hac->FindFolder(u"ghost");
    ASSERT_NE(ghost, nullptr);
    EXPECT_EQ(hac->GetFileCount(ghost), 0);
    EXPECT_EQ(hac->FindFolder(u"GHOST"), ghost);

    hgl::String name;
    int size = -1;
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, -1, name, size));
    EXPECT_FALSE(hac->GetFileByIndex(nullptr, 4, name, size));
    ASSERT_TRUE(hac->GetFileByIndex(sub, 0, name, size));
    EXPECT_EQ(name, u"inner.bin");
    EXPECT_EQ(size, 10);
    bool saw_sub = false, saw_readme = false;
    for (int i = 0; i < 4; ++i)
    {
        ASSERT_TRUE(hac->GetFileByIndex(nullptr, i, name, size));
        saw_sub |= name == u"sub";
        saw_readme |= name == u"readme.txt" && size == 5;
    }
    EXPECT_TRUE(saw_sub);
    EXPECT_TRUE(saw_readme);

    // FindFile lower-cases; FileExistInFolder compares unchanged.
    size = -1;
    void *entry = hac->FindFile(nullptr, u"README.txt", &size);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(size, 5);
    EXPECT_EQ(hac->FindFile(nullptr, u"", &size), nullptr);
    EXPECT_EQ(hac->FindFile(nullptr, nullptr, &size), nullptr);
    EXPECT_TRUE(hac->FileExistInFolder(top, u"readme.txt"));
    EXPECT_FALSE(hac->FileExistInFolder(top, u"ReadMe.TXT"));
    EXPECT_TRUE(hac->FileExistInFolder(nullptr, u"ReadMe.TXT")); // null: the disk

    // FindFileFromRoot splits at the last '\'.
    size = -1;
    void *inner = hac->FindFileFromRoot(u"Sub\\INNER.bin", &size);
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(hac->FindFile(sub, u"inner.bin"), inner);
    EXPECT_EQ(hac->FindFileFromRoot(u""), nullptr);

    // Reads through entries reach the disk file of any spelling.
    char part[16] = {};
    EXPECT_TRUE(hac->ReadFilePart(inner, 0, 0, part));
    EXPECT_EQ(std::string(part, 10), "0123456789");
    EXPECT_TRUE(hac->ReadFilePart(inner, 3, 4, part));
    EXPECT_EQ(std::string(part, 4), "3456");
    EXPECT_FALSE(hac->ReadFilePart(inner, 3, 8, part));
    EXPECT_FALSE(hac->ReadFilePart(inner, -2, 4, part));
    EXPECT_FALSE(hac->ReadFilePart(inner, 0, -1, part));
    EXPECT_FALSE(hac->ReadFilePart(nullptr, 0, 0, part));
    EXPECT_FALSE(hac->ReadFilePart(inner, 0, 0, nullptr));
    EXPECT_TRUE(hac->ReadFilePart(entry, 0, 0, part));
    EXPECT_EQ(std::string(part, 5), "hello");

    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(sub, u"inner.bin", true)), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(sub, u"Inner.bin", false)), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(nullptr, u"sub\\Inner.bin", false)), "0123456789");
    ASSERT_TRUE(hac->LoadFileInFolder(sub, u"inner.bin", &buf, &n));
    EXPECT_EQ(Take(buf, n), "0123456789");
    ASSERT_TRUE(hac->LoadFileInFolder(nullptr, u"ReadMe.TXT", &buf, &n));
    EXPECT_EQ(Take(buf, n), "hello");
    EXPECT_FALSE(hac->LoadFileInFolder(sub, u"absent", &buf, &n));

    // Disk names are matched without regard to case, as on the original system.
    EXPECT_TRUE(hac->FileExist(u"README.txt"));
    ASSERT_TRUE(hac->LoadFile(u"SUB\\inner.BIN", &buf, &n));
    EXPECT_EQ(Take(buf, n), "0123456789");
    EXPECT_EQ(Drain(hac->LoadFileStream(u"readme.txt", false)), "hello");
    EXPECT_EQ(Drain(hac->LoadFileStreamInFolder(sub, u"INNER.BIN", true)), "0123456789");

    // Paths that do not fit the path buffer fail.
    const std::u16string longpath(5000, u'a');
    EXPECT_FALSE(hac->FileExist(longpath.c_str()));
    EXPECT_FALSE(hac->LoadFile(longpath.c_str(), &buf, &n));
    EXPECT_EQ(hac->LoadFileStream(longpath.c_str(), true), nullptr);

    // A file added later is not listed but is still read by path.
    ASSERT_TRUE(dir.WriteFile("Data/sub/late.txt", "late"));
    EXPECT_EQ(hac->GetFileCount(sub), 1);
    EXPECT_EQ(hac->FindFile(sub, u"late.txt"), nullptr);
    ASSERT_TRUE(hac->LoadFile(u"sub\\late.txt", &buf, &n));
    EXPECT_EQ(Take(buf, n), "late");
}

TEST(HacMappingEdge, MissingRootAndMounting)
{
    hgl::test::TempDir dir("mapmount");
    const std::u16string missing = dir.File16("no-such-folder-or-file");
    {
        hgl::test::LogCapture log;
        hgl::HacMapping m(missing.c_str());
        EXPECT_TRUE(log.ContainsError(u"初始化HAC所映射的子目录<" + missing + u">并不存在，请查证！")) << log.Dump();
    }
    {
        hgl::test::LogCapture log;
        EXPECT_EQ(hgl::OpenHAC(missing.c_str()), nullptr);
        EXPECT_TRUE(log.ContainsError(u"打开HAC-3包裹文件<" + missing + u">失败！")) << log.Dump();
    }
    // Short or wrong headers: the magic check, not the open, refuses them.
    for (const std::string &bytes : {std::string(""), std::string("HAC"), std::string("HAC-3"),
                                     std::string("HAC-3\x1a", 6), std::string("HAC-3\x1a\0", 7),
                                     std::string("HAC-2\x1a\0\0xxxxxxxxxxxxxx", 22)})
    {
        SCOPED_TRACE(bytes.size());
        ASSERT_TRUE(dir.WriteFile("short.hac", bytes));
        const std::u16string p = dir.File16("short.hac");
        hgl::test::LogCapture log;
        EXPECT_EQ(hgl::OpenHAC(p.c_str()), nullptr);
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + p + u">")) << log.Dump();
    }

    // Null and empty paths mount the start folder.
    for (const char16_t *p : {static_cast<const char16_t *>(nullptr), u""})
    {
        std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(p));
        ASSERT_NE(hac, nullptr);
        EXPECT_NE(dynamic_cast<hgl::HacMapping *>(hac.get()), nullptr);
    }
}

TEST(HacMappingEdge, LoaderThreadServesQueuedItems)
{
    hgl::test::TempDir dir("maploader");
    ASSERT_TRUE(dir.WriteFile("root/one.txt", "one-two-three"));
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("root").c_str()));
    ASSERT_NE(hac, nullptr);

    auto *whole = new hgl::HAC::HacLoadItem;
    whole->name = hgl::String(u"one.txt");
    auto *missing = new hgl::HAC::HacLoadItem;
    missing->name = hgl::String(u"none.txt");
    char mine[8] = {};
    auto *part = new hgl::HAC::HacLoadItem;
    part->name = hgl::String(u"one.txt");
    part->start = 4;
    part->length = 3;
    part->caller_buffer = true;
    part->buffer = mine;
    auto *toolong = new hgl::HAC::HacLoadItem;
    toolong->name = hgl::String(u"one.txt");
    toolong->start = 10;
    toolong->length = 10;

    // An entry found by the requester, whole file: the block fits the file.
    auto *preset = new hgl::HAC::HacLoadItem;
    preset->name = hgl::String(u"one.txt");
    preset->file = hac->FindFile(nullptr, u"one.txt");
    ASSERT_NE(preset->file, nullptr);
    // The same without a name to look it up by cannot be sized: a failed read.
    auto *unnamed = new hgl::HAC::HacLoadItem;
    unnamed->file = preset->file;

    for (auto *item : {whole, missing, part, toolong, preset, unnamed})
        ASSERT_TRUE(hac->QueueLoad(item));

    auto wait_done = [&](hgl::HAC::HacLoadItem *item) {
        for (int i = 0; i < 3000; ++i)
        {
            if (hac->TakeDone(item))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    for (auto *item : {whole, missing, part, toolong, preset, unnamed})
        ASSERT_TRUE(wait_done(item));
    EXPECT_EQ(preset->GetState(), 5);
    EXPECT_EQ(preset->length, 13);
    ASSERT_NE(preset->buffer, nullptr);
    EXPECT_EQ(std::string(static_cast<char *>(preset->buffer), 13), "one-two-three");
    EXPECT_EQ(unnamed->GetState(), 4);
    EXPECT_EQ(unnamed->buffer, nullptr);
    delete preset;
    delete unnamed;

    EXPECT_EQ(whole->GetState(), 5);
    EXPECT_EQ(whole->length, 13);
    ASSERT_NE(whole->buffer, nullptr);
    EXPECT_EQ(std::string(static_cast<char *>(whole->buffer), 13), "one-two-three");
    EXPECT_EQ(missing->GetState(), 2);
    EXPECT_EQ(part->GetState(), 5);
    EXPECT_EQ(std::string(mine, 3), "two");
    EXPECT_EQ(toolong->GetState(), 4);
    EXPECT_EQ(toolong->buffer, nullptr);
    for (auto *item : {whole, missing, part, toolong})
        delete item;
}
