// Mounting and the loader thread.
#include "ArchiveTestUtil.h"

#include "io/HacMapping.h"
#include "support/LogCapture.h"

#include <chrono>
#include <thread>
#include <unistd.h>

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

    for (const std::string &bytes : {std::string("HAC-4\x1a\0\0 and more bytes", 22), std::string("HAC"),
                                     std::string("HAC-3\x1a\0", 7), std::string()})
    {
        log.Clear();
        ASSERT_TRUE(dir.WriteFile("bad.hac", bytes));
        EXPECT_EQ(hgl::OpenHAC(dir.File16("bad.hac").c_str()), nullptr);
        EXPECT_TRUE(log.ContainsError(u"无法支持或已损坏的HAC文件<" + dir.File16("bad.hac") + u">")) << log.Dump();
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

    auto wait_for = [&](HAC::HacLoadItem *item) {
        // Generous: a loaded machine may be slow to schedule the loader.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!hac->TakeDone(item) && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return item->GetState();
    };

    auto *whole = new HAC::HacLoadItem;
    whole->name = u"data\\one.bin";
    ASSERT_TRUE(hac->QueueLoad(whole));
    EXPECT_EQ(wait_for(whole), HAC::lsDone);
    EXPECT_EQ(whole->length, 10);
    ASSERT_NE(whole->buffer, nullptr);
    EXPECT_EQ(std::string(static_cast<char *>(whole->buffer), 10), "0123456789");
    delete whole;

    char mine[4];
    auto *part = new HAC::HacLoadItem;
    part->folder = hac->FindFolder(u"data");
    part->name = u"one.bin";
    part->start = 6;
    part->length = 4;
    part->caller_buffer = true;
    part->buffer = mine;
    ASSERT_TRUE(hac->QueueLoad(part));
    EXPECT_EQ(wait_for(part), HAC::lsDone);
    EXPECT_EQ(std::string(mine, 4), "6789");
    delete part;

    auto *missing = new HAC::HacLoadItem;
    missing->name = u"data\\two.bin";
    ASSERT_TRUE(hac->QueueLoad(missing));
    EXPECT_EQ(wait_for(missing), HAC::lsNotFound);
    delete missing;

    auto *too_long = new HAC::HacLoadItem;
    too_long->name = u"data\\one.bin";
    too_long->start = 5;
    too_long->length = 50;
    ASSERT_TRUE(hac->QueueLoad(too_long));
    EXPECT_EQ(wait_for(too_long), HAC::lsReadFailed);
    EXPECT_EQ(too_long->buffer, nullptr);
    delete too_long;

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
    hac.reset();    // served or not, every item is released with the archive
}
