#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/Dir.h"
#include "platform/Env.h"
#include "platform/File.h"
#include "platform/Path.h"
#include "platform/ProcessPath.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

using namespace hgl;
using namespace hgl::platform;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;

TEST(PlatformPath, Conversions)
{
    EXPECT_EQ(Utf16ToUtf8(u"a\\中/𝄞"), "a\\\xE4\xB8\xAD/\xF0\x9D\x84\x9E");
    // Unpaired surrogates become U+FFFD.
    const u16char lone[] = {u'a', 0xD800, u'b', 0xDC00, 0};
    EXPECT_EQ(Utf16ToUtf8(lone), "a\xEF\xBF\xBD"
                                 "b\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(u"abc", 2), "ab");
    EXPECT_EQ(Utf16ToUtf8(nullptr), "");

    EXPECT_EQ(Utf8ToUtf16(std::string("x\xE4\xB8\xAD\xF0\x9D\x84\x9E")), u"x中𝄞");
    // Truncated, overlong, stray continuation and surrogate encodings.
    EXPECT_EQ(Utf8ToUtf16(std::string("a\xE4\xB8")), u"a\xFFFD");
    EXPECT_EQ(Utf8ToUtf16(std::string("\xC0\xAF")), u"\xFFFD");
    EXPECT_EQ(Utf8ToUtf16(std::string("\x80z")), u"\xFFFDz");
    EXPECT_EQ(Utf8ToUtf16(std::string("\xED\xA0\x80")), u"\xFFFD");

    EXPECT_EQ(ToNativePath(u"\\Save\\Config.TDF"), "/Save/Config.TDF");
    EXPECT_EQ(ToNativePath(u"/home/u/game\\Save\\0.save"), "/home/u/game/Save/0.save");

    std::string folder, name;
    SplitNativePath("a/b/c", folder, name);
    EXPECT_EQ(folder, "a/b");
    EXPECT_EQ(name, "c");
    SplitNativePath("c", folder, name);
    EXPECT_EQ(folder, "");
    SplitNativePath("/c/", folder, name);
    EXPECT_EQ(folder, "/");
    EXPECT_EQ(name, "c");
}

TEST(PlatformPath, CaseInsensitiveResolution)
{
    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("Save/config.tdf", "x"));
    ASSERT_TRUE(dir.MakeDir("Data/Music"));
    const std::string root = dir.Path();

    // The exact spelling is taken as it is.
    EXPECT_EQ(ResolvePath(root + "/Save/config.tdf"), root + "/Save/config.tdf");
    // Each component is found ignoring case.
    EXPECT_EQ(ResolvePath(root + "/SAVE/Config.TDF"), root + "/Save/config.tdf");
    EXPECT_EQ(ResolvePath(ToNativePath((dir.Path16() + u"\\save\\CONFIG.tdf").c_str())),
              root + "/Save/config.tdf");
    // Missing parts keep the caller's spelling after the part that exists.
    EXPECT_EQ(ResolvePath(root + "/data/MUSIC/New/One.ogg"), root + "/Data/Music/New/One.ogg");
    EXPECT_EQ(ResolvePath(root + "/DATA/"), root + "/Data/");
    // A file in the middle of a path ends the resolution.
    EXPECT_EQ(ResolvePath(root + "/save/CONFIG.TDF/x"), root + "/Save/config.tdf/x");

    // Twins differing in case only: the exact one wins, else the first sorted.
    ASSERT_TRUE(dir.WriteFile("twins/ABC", "1"));
    ASSERT_TRUE(dir.WriteFile("twins/abc", "2"));
    EXPECT_EQ(ResolvePath(root + "/twins/abc"), root + "/twins/abc");
    EXPECT_EQ(ResolvePath(root + "/twins/Abc"), root + "/twins/ABC");

    // Changes made behind the cache's back are seen (the listing is checked
    // against the folder), and so are our own.
    EXPECT_EQ(ResolvePath(root + "/Save/NEW.txt"), root + "/Save/NEW.txt");
    ASSERT_TRUE(dir.WriteFile("Save/new.TXT", "n"));
    EXPECT_EQ(ResolvePath(root + "/Save/NEW.txt"), root + "/Save/new.TXT");
    ASSERT_EQ(unlink(dir.File("Save/new.TXT").c_str()), 0);
    ForgetFolder(root + "/Save");
    EXPECT_EQ(ResolvePath(root + "/Save/NEW.txt"), root + "/Save/NEW.txt");
    ForgetAllFolders();
    EXPECT_EQ(ResolvePath(root + "/SAVE"), root + "/Save");
}

TEST(PlatformDir, PatternsAndListings)
{
    EXPECT_TRUE(MatchPattern(u"*.*", u"README"));
    EXPECT_TRUE(MatchPattern(u"*.*", u"a.b.c"));
    EXPECT_TRUE(MatchPattern(u"*.TXT", u"note.txt"));
    EXPECT_FALSE(MatchPattern(u"*.txt", u"note.txt.bak"));
    EXPECT_TRUE(MatchPattern(u"a?c", u"ABC"));
    EXPECT_FALSE(MatchPattern(u"a?c", u"ac"));
    EXPECT_TRUE(MatchPattern(u"*", u""));
    EXPECT_TRUE(MatchPattern(u"data.*", u"data"));
    EXPECT_TRUE(MatchPattern(u"[x]", u"[X]")); // brackets are plain characters
    EXPECT_TRUE(MatchPattern(u"中*", u"中文.txt"));
    // Many stars do not explode.
    EXPECT_FALSE(MatchPattern(u"*a*a*a*a*a*a*a*a*a*a*b", std::u16string(200, u'a').c_str()));

    TempDir dir;
    ASSERT_TRUE(dir.WriteFile("b.bin", "12"));
    ASSERT_TRUE(dir.MakeDir("A"));
    std::vector<DirEntry> list;
    ASSERT_TRUE(ReadFolder(dir.Path16().c_str(), list));
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].name, u"A");
    EXPECT_TRUE(list[0].is_folder);
    EXPECT_EQ(list[1].size, 2u);
    EXPECT_FALSE(ReadFolder(dir.File16("none").c_str(), list));

    std::vector<std::string> names = {"stale"};
    ASSERT_TRUE(ReadFolderNames(dir.Path(), names));
    EXPECT_EQ(names, (std::vector<std::string>{"A", "b.bin"}));
    EXPECT_FALSE(ReadFolderNames(dir.File("none"), names));
    EXPECT_TRUE(names.empty());
}
