#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "Watchdog.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::TempDir;
using hgl::test::ToU16;

namespace
{
// Engine-style path: the temp folder, then '\'-separated components.
std::u16string EnginePath(const TempDir &dir, const std::u16string &rel)
{
    return dir.Path16() + u"\\" + rel;
}

struct Seen
{
    std::vector<std::u16string> names, full;
    std::vector<bool> folders, read_only;
    std::vector<uint64> sizes;

    size_t At(const std::u16string &name) const
    {
        return size_t(std::find(names.begin(), names.end(), name) - names.begin());
    }
};

void Collect(void *data, FileInfo *info)
{
    auto *s = static_cast<Seen *>(data);
    s->names.push_back(info->name);
    s->full.push_back(info->full_name);
    s->folders.push_back(info->is_directory);
    s->read_only.push_back(info->is_read_only);
    s->sizes.push_back(info->size);
}

// Runs f with the current folder switched to path.
template <typename F> void InFolder(const std::string &path, F f)
{
    char old[4096];
    ASSERT_NE(getcwd(old, sizeof(old)), nullptr);
    ASSERT_EQ(chdir(path.c_str()), 0);
    f();
    ASSERT_EQ(chdir(old), 0);
}
} // namespace

TEST(Files, MixedCaseLookups)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("save/config.tdf", "cfg"));
    ASSERT_TRUE(dir.WriteFile("Data/Sub/Pic.TEX", "tex"));

    EXPECT_TRUE(FileExist(EnginePath(dir, u"Save\\Config.TDF").c_str()));
    EXPECT_TRUE(FileExist(EnginePath(dir, u"DATA/sub\\pic.tex").c_str()));
    EXPECT_TRUE(FileExist(EnginePath(dir, u"data").c_str())); // folders exist too
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\Other.TDF").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"SAVE").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"data\\SUB\\").c_str()));
    EXPECT_FALSE(IsDirectory(EnginePath(dir, u"Save\\Config.TDF").c_str()));
    EXPECT_TRUE(FileExist(EnginePath(dir, u"Save\\*.tdf").c_str()));
    EXPECT_TRUE(FileExist(EnginePath(dir, u"save\\c?nfig.*").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"D*").c_str()));
    EXPECT_FALSE(IsDirectory(EnginePath(dir, u"save\\C*").c_str()));
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\*.xyz").c_str()));
    for (const u16char *bad : {static_cast<const u16char *>(nullptr), u""})
    {
        EXPECT_FALSE(FileExist(bad));
        EXPECT_FALSE(IsDirectory(bad));
        EXPECT_FALSE(FileDelete(bad));
        EXPECT_FALSE(FileMove(bad, EnginePath(dir, u"x").c_str()));
        EXPECT_FALSE(FileMove(EnginePath(dir, u"save\\config.tdf").c_str(), bad));
    }

    char *text = nullptr;
    EXPECT_EQ(LoadFileToMemory(EnginePath(dir, u"save/CONFIG.tdf").c_str(), &text), 3);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text, 3), "cfg");
    delete[] text;

    // Writing through another spelling overwrites the one file, never a twin.
    FileStream f;
    ASSERT_TRUE(f.Create(EnginePath(dir, u"Save\\Config.TDF").c_str()));
    EXPECT_EQ(f.Write("new!", 4), 4);
    f.Close();
    EXPECT_EQ(dir.List("save"), std::vector<std::string>{"config.tdf"});
    EXPECT_EQ(dir.ReadFile("save/config.tdf"), "new!");
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"Data", "save"}));

    // A new file in an existing folder of another spelling lands in that folder.
    ASSERT_TRUE(f.Create(EnginePath(dir, u"SAVE\\0.save").c_str()));
    f.Close();
    EXPECT_EQ(dir.List("save"), (std::vector<std::string>{"0.save", "config.tdf"}));

    // Deleting works through any spelling, and a deleted name is really gone
    // (no stale listing says otherwise). A folder is not deleted as a file.
    EXPECT_TRUE(FileDelete(EnginePath(dir, u"save\\0.SAVE").c_str()));
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\0.save").c_str()));
    EXPECT_FALSE(FileDelete(EnginePath(dir, u"save\\0.SAVE").c_str()));
    EXPECT_FALSE(FileDelete(EnginePath(dir, u"Data").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"Data").c_str()));
}

TEST(Files, NamedPipesAreRefusedNotWaitedOn)
{
    // Opening a pipe for reading waits for a writer; nothing here may wait.
    hgl::test::Watchdog dog("Files.NamedPipesAreRefusedNotWaitedOn");
    TempDir dir("fifo");
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0666), 0);
    const std::u16string pipe = EnginePath(dir, u"PIPE");
    LogCapture log;
    for (int mode : {1, 2, 4, 6})
    {
        FileStream f;
        EXPECT_FALSE(f.Open(pipe.c_str(), mode)) << mode;
    }
    void *buf = nullptr;
    EXPECT_EQ(LoadFileToMemory(pipe.c_str(), &buf), 0);
    EXPECT_EQ(buf, nullptr);
    MemStream m;
    EXPECT_FALSE(m.LoadFromFile(pipe.c_str()));
    EXPECT_TRUE(FileExist(pipe.c_str()));
    EXPECT_FALSE(IsDirectory(pipe.c_str()));
}

TEST(Files, MakePath)
{
    TempDir dir;
    LogCapture log;
    EXPECT_FALSE(MakePath(nullptr));
    // An absolute path: every level is made, and a second call finds them all.
    const std::u16string deep = EnginePath(dir, u"x\\y\\z\\");
    EXPECT_TRUE(MakePath(deep.c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"x\\y\\z").c_str()));
    EXPECT_TRUE(MakePath(deep.c_str()));
    EXPECT_EQ(dir.List("x"), std::vector<std::string>{"y"});
    // Existing folders of another case are used, not doubled; mixed separators,
    // the root and the folder itself are fine.
    EXPECT_TRUE(MakePath(EnginePath(dir, u"X\\Y/w").c_str()));
    EXPECT_EQ(dir.List("x/y"), (std::vector<std::string>{"w", "z"}));
    EXPECT_TRUE(MakePath(u"/"));
    EXPECT_TRUE(MakePath((dir.Path16() + u"\\").c_str()));
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // A file in the way: false with one line naming the blocked prefix.
    ASSERT_TRUE(dir.WriteFile("file", "f"));
    const std::u16string blocked = EnginePath(dir, u"file");
    EXPECT_FALSE(MakePath((blocked + u"\\sub").c_str()));
    EXPECT_EQ(log.Lines(), std::vector<std::u16string>{u"创建目录<" + blocked + u">失败！"}) << log.Dump();

    // A level that cannot be created: false after one line.
    log.Clear();
    ASSERT_TRUE(dir.MakeDir("locked"));
    ASSERT_EQ(chmod(dir.File("locked").c_str(), 0500), 0);
    if (access(dir.File("locked").c_str(), W_OK) != 0)
    { // not when running as root
        const std::u16string inner = EnginePath(dir, u"locked\\a");
        EXPECT_FALSE(MakePath((inner + u"\\b").c_str()));
        EXPECT_EQ(log.Lines(), std::vector<std::u16string>{u"创建目录<" + inner + u">失败！"}) << log.Dump();
    }
    chmod(dir.File("locked").c_str(), 0700);
}

TEST(Files, EnumFile)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("a.txt", "1"));
    ASSERT_TRUE(dir.WriteFile("B.TXT", "22"));
    ASSERT_TRUE(dir.WriteFile("README", ""));
    ASSERT_TRUE(dir.WriteFile("sub/c.txt", "4444"));
    ASSERT_TRUE(dir.WriteFile("sub/deeper/d.txt", "5"));
    ASSERT_EQ(chmod(dir.File("a.txt").c_str(), 0444), 0);
    const bool bits_bind = access(dir.File("a.txt").c_str(), W_OK) != 0; // not as root

    // "*.*" matches names without a dot too; the fields come from the entry.
    Seen all;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.*", &all, Collect), 4);
    EXPECT_EQ(all.names, (std::vector<std::u16string>{u"B.TXT", u"README", u"a.txt", u"sub"}));
    EXPECT_EQ(all.full[0], dir.Path16() + u"\\B.TXT");
    EXPECT_EQ(all.folders, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(all.sizes[0], 2u);
    EXPECT_EQ(all.sizes[1], 0u);
    EXPECT_FALSE(all.read_only[0]);
    if (bits_bind)
    {
        EXPECT_TRUE(all.read_only[2]);
    }
    chmod(dir.File("a.txt").c_str(), 0644);

    // Recursion with "*": every level counted, with full paths.
    Seen rec;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &rec, true, true, true, Collect), 7);
    EXPECT_NE(std::find(rec.full.begin(), rec.full.end(), dir.Path16() + u"\\sub\\deeper\\d.txt"),
              rec.full.end());
    // Failures: no callback, null or empty pattern, no match, missing folder.
    Seen none;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &none, nullptr), -1);
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), nullptr, &none, Collect), -1);
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"", &none, Collect), -1);
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.zip", &none, Collect), -1);
    EXPECT_EQ(EnumFile((dir.Path16() + u"\\nope").c_str(), u"*", &none, Collect), -1);
    EXPECT_TRUE(none.names.empty());

    // A symbolic link back up is reported but not walked.
    ASSERT_EQ(symlink(dir.Path().c_str(), dir.File("sub/loop").c_str()), 0);
    Seen loop;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &loop, true, true, true, Collect), 8);
}

TEST(Files, MergePathToBufferKeepsRoomForTheTerminator)
{
    // "ab" + '\' + "cd": 5 units and the terminator.
    const std::u16string merged = u"ab\\cd";
    for (int room : {4, 5, 6, 7})
    {
        SCOPED_TRACE(room);
        std::u16string buffer(8, u'#');
        const bool fits = room > int(merged.size());
        EXPECT_EQ(MergePathToBuffer(buffer.data(), room, u"ab", u"cd"), fits);
        if (fits)
            EXPECT_EQ(std::u16string(buffer.c_str()), merged);
        else
            EXPECT_EQ(buffer, std::u16string(8, u'#'));                                 // untouched
        EXPECT_EQ(buffer.substr(size_t(room)), std::u16string(8 - size_t(room), u'#')); // nothing past it
    }
}
