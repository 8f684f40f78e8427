// Key/value lists: the separator rule, duplicate keys, the written form.
#include "ArchiveTestUtil.h"

#include "io/PList.h"
#include "io/StringList.h"
#include "support/LogCapture.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using hgl::PList;
using hgl::String;
using hgl::test::TempDir;

namespace
{
std::u16string Value(const PList &p, const char16_t *key)
{
    String v;
    return p.Get(String(key), v) ? v.ToStdString() : u"<none>";
}
} // namespace

TEST(PList, FilesDuplicatesAndSaving)
{
    TempDir dir("plist");
    // UTF-16 with CR LF, duplicate key: the first line of the file wins; loading adds.
    std::u16string text =
        u"GameName\t游戏\r\nEnglishGameName\tThe Game\r\nGameName\tlater\r\nno-separator\r\n";
    const std::string bytes = "\xFF\xFE" + archive_test::Utf16LE(text);
    ASSERT_TRUE(dir.WriteFile("System.List", bytes));
    PList p;
    p.ParseLine(String(u"pre\tset"));
    ASSERT_TRUE(p.LoadFromFile(dir.File16("system.list").c_str()));
    EXPECT_EQ(p.GetCount(), 3);
    EXPECT_EQ(Value(p, u"GameName"), u"游戏");
    EXPECT_EQ(Value(p, u"EnglishGameName"), u"The Game");
    EXPECT_EQ(Value(p, u"pre"), u"set");
    // Written: mark, then the pairs from the last in key order to the first;
    // empty keys and values write nothing between the separators.
    PList s;
    s.ParseLine(String(u"A\t1"));
    s.ParseLine(String(u"B\t 2"));
    ASSERT_TRUE(s.SaveToFile(dir.File16("out.list").c_str()));
    const std::string expect("\xFF\xFE"
                             "B\0\t\0"
                             "2\0\n\0"
                             "A\0\t\0"
                             "1\0\n\0",
                             18);
    EXPECT_EQ(dir.ReadFile("out.list"), expect);

    // From an archive; a file that cannot be created gives false.
    hgl::hacpack::HacWriter w;
    w.root.Add(u"System.List", bytes);
    auto hac = archive_test::Mount(dir, w);
    ASSERT_TRUE(hac);
    PList fromHac;
    ASSERT_TRUE(fromHac.LoadFromHAC(hac.get(), u"system.list"));
    EXPECT_EQ(Value(fromHac, u"GameName"), u"游戏");
    hgl::test::LogCapture log;
    EXPECT_FALSE(fromHac.LoadFromHAC(hac.get(), u"none.list"));
    EXPECT_FALSE(s.SaveToFile(dir.File16("no/such/folder/out.list").c_str()));
}

TEST(PList, AShortWriteIsAFailedSave)
{
    // /dev/full takes the open and refuses every byte: the first write (the mark)
    // already falls short, whatever the list holds.
    struct stat st;
    if (stat("/dev/full", &st) != 0 || !S_ISCHR(st.st_mode)) GTEST_SKIP() << "no /dev/full here";
    PList empty;
    EXPECT_FALSE(empty.SaveToFile(u"/dev/full"));
    PList s;
    s.ParseLine(String(u"A\t1"));
    s.ParseLine(String(u"B\t2"));
    EXPECT_FALSE(s.SaveToFile(u"/dev/full"));
    EXPECT_FALSE(s.SaveToFile(nullptr));

    // A file size limit cuts the save after any byte of the 18: every write is
    // checked, not only the first. The limit is set in a child so that this
    // process keeps its own; the child's exit code names the first limit that
    // went wrong.
    TempDir dir("plistshort");
    constexpr int Whole = 18;
    const std::vector<uint8_t> old_bytes = {0xFF, 0xFE, 'Z', 0, '\t', 0, '9', 0, '\n', 0};
    ASSERT_TRUE(dir.WriteFile("keep.list", old_bytes));
    std::fflush(stdout);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG
        for (int limit = 0; limit <= Whole; ++limit)
        {
            const std::u16string name = dir.File16("cut" + std::to_string(limit) + ".list");
            struct rlimit rl;
            getrlimit(RLIMIT_FSIZE, &rl);
            rl.rlim_cur = rlim_t(limit);
            if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(100);
            const bool saved = s.SaveToFile(name.c_str());
            if (saved != (limit == Whole)) _exit(limit + 1);
            // A save over an existing file that fails part-way leaves the old file.
            if (limit == 12 && s.SaveToFile(dir.File16("keep.list").c_str())) _exit(101);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0) << "limit " << WEXITSTATUS(status) - 1;
    EXPECT_EQ(dir.ReadFile("cut18.list").size(), size_t(Whole));
    const std::string kept = dir.ReadFile("keep.list");
    EXPECT_EQ(std::vector<uint8_t>(kept.begin(), kept.end()), old_bytes);
}
