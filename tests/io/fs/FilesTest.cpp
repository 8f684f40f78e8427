#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::TempDir;
using hgl::test::ToU16;

namespace
{
// Engine-style path: the temp folder, then '\'-separated components.
std::u16string EnginePath(const TempDir &dir, const std::u16string &rel) { return dir.Path16() + u"\\" + rel; }

struct Seen
{
    std::vector<std::u16string> names, full;
    std::vector<bool> folders;
};

void Collect(void *data, FileInfo *info)
{
    auto *s = static_cast<Seen *>(data);
    s->names.push_back(info->name);
    s->full.push_back(info->full_name);
    s->folders.push_back(info->is_directory);
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
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\Other.TDF").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"SAVE").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"data\\SUB\\").c_str()));
    EXPECT_FALSE(IsDirectory(EnginePath(dir, u"Save\\Config.TDF").c_str()));
    EXPECT_TRUE(FileExist(EnginePath(dir, u"Save\\*.tdf").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"D*").c_str()));
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\*.xyz").c_str()));

    void *buf = nullptr;
    EXPECT_EQ(LoadFileToMemory(EnginePath(dir, u"DATA\\SUB\\PIC.tex").c_str(), &buf), 3);
    ASSERT_NE(buf, nullptr);
    EXPECT_EQ(std::memcmp(buf, "tex", 3), 0);
    delete[] static_cast<uint8 *>(buf);
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
    // (no stale listing says otherwise).
    EXPECT_TRUE(FileDelete(EnginePath(dir, u"save\\0.SAVE").c_str()));
    EXPECT_FALSE(FileExist(EnginePath(dir, u"Save\\0.save").c_str()));
    EXPECT_FALSE(FileDelete(EnginePath(dir, u"save\\0.SAVE").c_str()));
}

TEST(Files, LoadFileToMemoryFailures)
{
    TempDir dir;
    LogCapture log;
    void *buf = reinterpret_cast<void *>(1);
    const std::u16string missing = EnginePath(dir, u"nothing.bin");
    EXPECT_EQ(LoadFileToMemory(missing.c_str(), &buf), 0);
    EXPECT_EQ(buf, nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"加载文件<" + missing + u">到缓冲区失败!")) << log.Dump();
    // A folder is not a file.
    EXPECT_EQ(LoadFileToMemory(dir.Path16().c_str(), &buf), 0);
    EXPECT_EQ(buf, nullptr);
    // An empty file: size 0 with a (zero-length) block, which tells it from failure.
    ASSERT_TRUE(dir.WriteFile("empty", ""));
    EXPECT_EQ(LoadFileToMemory(EnginePath(dir, u"EMPTY").c_str(), &buf), 0);
    EXPECT_NE(buf, nullptr);
    delete[] static_cast<uint8 *>(buf);
}

TEST(Files, MoveNeverOverwrites)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("a.txt", "A"));
    ASSERT_TRUE(dir.WriteFile("b.txt", "B"));
    EXPECT_FALSE(FileMove(EnginePath(dir, u"a.txt").c_str(), EnginePath(dir, u"b.txt").c_str()));
    // Not even a target that differs in case only.
    EXPECT_FALSE(FileMove(EnginePath(dir, u"a.txt").c_str(), EnginePath(dir, u"B.TXT").c_str()));
    EXPECT_EQ(dir.ReadFile("b.txt"), "B");
    EXPECT_EQ(dir.ReadFile("a.txt"), "A");

    EXPECT_TRUE(FileMove(EnginePath(dir, u"A.TXT").c_str(), EnginePath(dir, u"c.txt").c_str()));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"b.txt", "c.txt"}));
    // A change of case alone is a rename.
    EXPECT_TRUE(FileMove(EnginePath(dir, u"c.txt").c_str(), EnginePath(dir, u"C.txt").c_str()));
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"C.txt", "b.txt"}));
    // Folders move too, and a missing source fails.
    ASSERT_TRUE(dir.MakeDir("old"));
    EXPECT_TRUE(FileMove(EnginePath(dir, u"Old").c_str(), EnginePath(dir, u"new").c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"NEW").c_str()));
    EXPECT_FALSE(FileMove(EnginePath(dir, u"gone").c_str(), EnginePath(dir, u"x").c_str()));

    // The backup-then-replace save sequence.
    ASSERT_TRUE(dir.WriteFile("Game.TDF", "old"));
    ASSERT_TRUE(dir.WriteFile("Game.TDF.backup", "new"));
    EXPECT_TRUE(FileDelete(EnginePath(dir, u"game.tdf").c_str()));
    EXPECT_TRUE(FileMove(EnginePath(dir, u"Game.TDF.backup").c_str(), EnginePath(dir, u"Game.TDF").c_str()));
    EXPECT_EQ(dir.ReadFile("Game.TDF"), "new");
}

TEST(Files, MergePath)
{
    u16char *p = MergePath(u"C:\\Game", u"a.txt");
    EXPECT_EQ(std::u16string(p), u"C:\\Game\\a.txt");
    delete[] p;
    p = MergePath(u"C:\\Game\\", u"a.txt");
    EXPECT_EQ(std::u16string(p), u"C:\\Game\\a.txt");
    delete[] p;
    p = MergePath(u"/home/u/", u"a.txt");
    EXPECT_EQ(std::u16string(p), u"/home/u/a.txt");
    delete[] p;
    p = MergePath(u"", u"a.txt");
    EXPECT_EQ(std::u16string(p), u"a.txt");
    delete[] p;

    u16char buf[14];
    buf[0] = u'q';
    EXPECT_FALSE(MergePathToBuffer(buf, 13, u"C:\\Game", u"a.txt")); // 13 units + terminator
    EXPECT_EQ(buf[0], u'q');
    EXPECT_TRUE(MergePathToBuffer(buf, 14, u"C:\\Game", u"a.txt"));
    EXPECT_EQ(std::u16string(buf), u"C:\\Game\\a.txt");
}

TEST(Files, MakePath)
{
    TempDir dir;
    LogCapture log;
    // An absolute path: every level is made, and a second call finds them all.
    const std::u16string deep = EnginePath(dir, u"x\\y\\z\\");
    EXPECT_TRUE(MakePath(deep.c_str()));
    EXPECT_TRUE(IsDirectory(EnginePath(dir, u"x\\y\\z").c_str()));
    EXPECT_TRUE(MakePath(deep.c_str()));
    EXPECT_EQ(dir.List("x"), std::vector<std::string>{"y"});
    // Existing folders of another case are used, not doubled.
    EXPECT_TRUE(MakePath(EnginePath(dir, u"X\\Y\\w").c_str()));
    EXPECT_EQ(dir.List("x/y"), (std::vector<std::string>{"w", "z"}));
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
    if (access(dir.File("locked").c_str(), W_OK) != 0) { // not when running as root
        const std::u16string inner = EnginePath(dir, u"locked\\a");
        EXPECT_FALSE(MakePath((inner + u"\\b").c_str()));
        EXPECT_EQ(log.Lines(), std::vector<std::u16string>{u"创建目录<" + inner + u">失败！"}) << log.Dump();
    }
    chmod(dir.File("locked").c_str(), 0700);

    // Relative paths grow from the current folder.
    InFolder(dir.Path(), [] { EXPECT_TRUE(MakePath(u"rel\\one")); });
    EXPECT_TRUE(dir.Exists("rel/one"));
}

TEST(Files, EnumFile)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("a.txt", "1"));
    ASSERT_TRUE(dir.WriteFile("B.TXT", "22"));
    ASSERT_TRUE(dir.WriteFile("README", "3"));
    ASSERT_TRUE(dir.WriteFile("sub/c.txt", "4"));
    ASSERT_TRUE(dir.WriteFile("sub/deeper/d.txt", "5"));

    // "*.*" matches names without a dot too.
    Seen all;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.*", &all, Collect), 4);
    EXPECT_EQ(all.names, (std::vector<std::u16string>{u"B.TXT", u"README", u"a.txt", u"sub"}));
    EXPECT_EQ(all.full[0], dir.Path16() + u"\\B.TXT");
    EXPECT_EQ(all.folders, (std::vector<bool>{false, false, false, true}));

    // Case is ignored in patterns; only files.
    Seen txt;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.txt", &txt, false, true, false, Collect), 2);
    EXPECT_EQ(txt.names, (std::vector<std::u16string>{u"B.TXT", u"a.txt"}));

    // Recursion with "*": every level counted.
    Seen rec;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &rec, true, true, true, Collect), 7);
    EXPECT_NE(std::find(rec.full.begin(), rec.full.end(), dir.Path16() + u"\\sub\\deeper\\d.txt"), rec.full.end());
    // Recursion with a pattern reaches only matching sub-folders; an empty
    // matching sub-folder adds nothing (and takes nothing away).
    ASSERT_TRUE(dir.MakeDir("empty.txt"));
    Seen only;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.txt", &only, false, true, true, Collect), 2);

    // Failures: no callback, empty pattern, no match, missing folder.
    Seen none;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &none, nullptr), -1);
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"", &none, Collect), -1);
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*.zip", &none, Collect), -1);
    EXPECT_EQ(EnumFile((dir.Path16() + u"\\nope").c_str(), u"*", &none, Collect), -1);
    EXPECT_TRUE(none.names.empty());

    // An empty folder means the current one; full names are then the names.
    Seen here;
    InFolder(dir.File("sub"), [&] { EXPECT_EQ(EnumFile(u"", u"*.txt", &here, Collect), 1); });
    EXPECT_EQ(here.full, std::vector<std::u16string>{u"c.txt"});
    // Folder argument in another case.
    Seen cased;
    EXPECT_EQ(EnumFile((dir.Path16() + u"\\SUB").c_str(), u"*", &cased, Collect), 2);

    // A symbolic link back up is reported but not walked.
    ASSERT_EQ(symlink(dir.Path().c_str(), dir.File("sub/loop").c_str()), 0);
    Seen loop;
    EXPECT_EQ(EnumFile(dir.Path16().c_str(), u"*", &loop, true, true, true, Collect), 9);
}
