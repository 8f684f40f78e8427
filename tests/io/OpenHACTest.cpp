// Mounting and the loader thread every archive shares.
#include "ArchiveTestUtil.h"

#include "io/HacMapping.h"
#include "support/LogCapture.h"

#include <chrono>
#include <thread>

using namespace archive_test;
using hgl::HAC;
using hgl::hacpack::HacWriter;
using hgl::test::LogCapture;
using hgl::test::TempDir;

TEST(OpenHAC, RefusesWhatIsNoArchive)
{
    TempDir dir("open");
    LogCapture log;
    const std::u16string missing = dir.File16("missing.hac");
    EXPECT_EQ(hgl::OpenHAC(missing.c_str()), nullptr);
    EXPECT_TRUE(log.ContainsError(u"打开HAC-3包裹文件<" + missing + u">失败！")) << log.Dump();

    // Short or wrong headers: the magic check, not the open, refuses them.
    for (const std::string &bytes :
         {std::string(), std::string("HAC"), std::string("HAC-3"), std::string("HAC-3\x1a", 6),
          std::string("HAC-3\x1a\0", 7), std::string("HAC-2\x1a\0\0 and more bytes", 22),
          std::string("HAC-4\x1a\0\0 and more bytes", 22)})
    {
        SCOPED_TRACE(bytes);
        log.Clear();
        ASSERT_TRUE(dir.WriteFile("bad.hac", bytes));
        EXPECT_EQ(hgl::OpenHAC(dir.File16("bad.hac").c_str()), nullptr);
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + dir.File16("bad.hac") + u">"))
            << log.Dump();
    }

    // A folder is mounted as a mapping without reading anything.
    log.Clear();
    std::unique_ptr<HAC> folder(hgl::OpenHAC(dir.Path16().c_str()));
    ASSERT_TRUE(folder);
    EXPECT_NE(dynamic_cast<hgl::HacMapping *>(folder.get()), nullptr);
    EXPECT_EQ(log.Errors().size(), 0u);
}

TEST(OpenHAC, LoaderThreadServesQueuedRequests)
{
    TempDir dir("open");
    HacWriter w;
    w.root.Add(u"data\\one.bin", std::string("0123456789"));
    auto hac = Mount(dir, w);
    ASSERT_TRUE(hac);

    auto item = [](const char16_t *name, int start = 0, int length = 0)
    {
        auto *i = new HAC::HacLoadItem;
        if (name) i->name = name;
        i->start = start;
        i->length = length;
        return i;
    };
    auto *whole = item(u"data\\one.bin");
    auto *missing = item(u"data\\two.bin");
    auto *too_long = item(u"data\\one.bin", 5, 50);
    char mine[4];
    auto *part = item(u"one.bin", 6, 4);
    part->folder = hac->FindFolder(u"data");
    part->caller_buffer = true;
    part->buffer = mine;
    // An entry found by the requester, whole file: the block fits the file.
    auto *preset = item(u"data\\one.bin");
    preset->file = hac->FindFile(nullptr, u"data\\one.bin");
    ASSERT_NE(preset->file, nullptr);
    // The same without a name to look it up by cannot be sized: a failed read.
    auto *unnamed = item(nullptr);
    unnamed->file = preset->file;

    const auto all = {whole, missing, too_long, part, preset, unnamed};
    for (auto *i : all)
        ASSERT_TRUE(hac->QueueLoad(i));
    for (auto *i : all)
    {
        // Generous: a loaded machine may be slow to schedule the loader.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!hac->TakeDone(i) && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    for (auto *done : {whole, preset})
    {
        EXPECT_EQ(done->GetState(), HAC::lsDone);
        EXPECT_EQ(done->length, 10);
        ASSERT_NE(done->buffer, nullptr);
        EXPECT_EQ(std::string(static_cast<char *>(done->buffer), 10), "0123456789");
    }
    EXPECT_EQ(part->GetState(), HAC::lsDone);
    EXPECT_EQ(std::string(mine, 4), "6789");
    EXPECT_EQ(missing->GetState(), HAC::lsNotFound);
    for (auto *failed : {too_long, unnamed})
    {
        EXPECT_EQ(failed->GetState(), HAC::lsReadFailed);
        EXPECT_EQ(failed->buffer, nullptr);
    }
    for (auto *i : all)
        delete i;

    // Unmounting with an idle loader does not wait for its time-out.
    const auto t0 = std::chrono::steady_clock::now();
    hac.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));
}

TEST(OpenHAC, UnmountWithPendingRequests)
{
    TempDir dir("open");
    ASSERT_TRUE(dir.WriteFile("f/a.txt", "a"));
    std::unique_ptr<HAC> hac(hgl::OpenHAC(dir.File16("f").c_str()));
    ASSERT_TRUE(hac);
    for (int i = 0; i < 50; ++i)
    {
        auto *item = new HAC::HacLoadItem;
        item->name = u"a.txt";
        ASSERT_TRUE(hac->QueueLoad(item));
    }
    hac.reset(); // served or not, every item is released with the archive
}
