// String lists: byte-order marks, line breaks, UTF-8 decoding, stream form.
#include "ArchiveTestUtil.h"

#include "io/MemStream.h"
#include "io/StringList.h"

using hgl::MemStream;
using hgl::String;
using hgl::StringList;
using hgl::test::TempDir;

namespace
{
std::vector<std::u16string> Lines(const std::string &bytes, unsigned codePage = 65001)
{
    MemStream ms;
    if (!bytes.empty())
        ms.Write(bytes.data(), int(bytes.size()));
    ms.Position = 0;
    StringList sl;
    sl.LoadFromStream(&ms, codePage);
    std::vector<std::u16string> v;
    for (int i = 0; i < sl.Count; ++i)
        v.push_back(sl[i].ToStdString());
    return v;
}

std::string LE(const std::u16string &s, bool mark = true)
{
    return (mark ? std::string("\xFF\xFE") : std::string()) + archive_test::Utf16LE(s);
}

std::string BE(const std::u16string &s) { return std::string("\xFE\xFF") + archive_test::Utf16BE(s); }

using V = std::vector<std::u16string>;
} // namespace

TEST(StringList, MarksAndBreaks)
{
    EXPECT_EQ(Lines("\xFF\xFE"), V{});
    EXPECT_EQ(Lines(""), V{});
    EXPECT_EQ(Lines("\xFF"), V{u"\uFFFD"});       // one byte, no mark: a one-byte text
    EXPECT_EQ(Lines("\xEF\xBB").size(), 1u);      // too short for a mark: code-page text
    EXPECT_EQ(Lines("\xEF\xBB\xBF"), V{});
    EXPECT_EQ(Lines("ab"), V{u"ab"});

    EXPECT_EQ(Lines("a\r\nb"), (V{u"a", u"b"}));
    EXPECT_EQ(Lines("a\r\nb\r\n"), (V{u"a", u"b"}));
    EXPECT_EQ(Lines("a\r\rb"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(Lines("a\n\rb"), (V{u"a", u"", u"b"}));
    // LF-only files keep their blank lines.
    EXPECT_EQ(Lines("a\n\nb\n"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(Lines("a\0b\nc", 65001), (V{u"a"}));
    EXPECT_EQ(Lines(std::string("a\0b\nc", 5)), (V{u"a"}));

    const std::u16string text = u"第一行\r\nsecond\r\n\r\nlast";
    const V expect{u"第一行", u"second", u"", u"last"};
    EXPECT_EQ(Lines(LE(text)), expect);
    EXPECT_EQ(Lines(BE(text)), expect);
    EXPECT_EQ(Lines(LE(text) + "\x41"), expect);   // an odd trailing byte is ignored
    EXPECT_EQ(Lines(LE(std::u16string(u"x\0y", 3))), V{u"x"});
}

TEST(StringList, UTF8AndCodePages)
{
    EXPECT_EQ(Lines("\xEF\xBB\xBF\xE4\xB8\xAD"), V{u"\u4E2D"});
    EXPECT_EQ(Lines("\xEF\xBB\xBF\xF0\x9F\x98\x80!"), V{u"\U0001F600!"});
    // Cut at the end of the text: one replacement, nothing read past the block.
    EXPECT_EQ(Lines("\xEF\xBB\xBFok\xE4\xB8"), V{u"ok\uFFFD"});
    EXPECT_EQ(Lines("\xEF\xBB\xBF\xE4\xB8\nz"), (V{u"\uFFFD", u"z"}));
    // Stray continuation bytes and impossible lead bytes.
    EXPECT_EQ(Lines("\xEF\xBB\xBF\x80x\xFFy\xC0\x80"), V{u"\uFFFDx\uFFFDy\uFFFD\uFFFD"});
    // No mark: the given code page.
    EXPECT_EQ(Lines("\xD6\xD0\xCE\xC4\r\nabc", 936), (V{u"中文", u"abc"}));
    EXPECT_EQ(Lines("\xE4\xB8\xAD", 65001), V{u"\u4E2D"});
}

TEST(StringList, ListOperationsAndStreamForm)
{
    StringList sl;
    EXPECT_EQ(sl.Add(String(u"a")), 0);
    EXPECT_EQ(sl.AddText(u"b"), 1);
    EXPECT_EQ(sl.AddText(u"abc", 2), 2);
    EXPECT_EQ(sl.AddText("plain", 65001u), 3);
    sl.AddText(u"");
    EXPECT_EQ(sl.Count, 5);
    EXPECT_EQ(sl.Find(String(u"ab")), 2);
    sl.Add(String(u"a"));
    EXPECT_EQ(sl.Find(String(u"a")), 5);            // the later of two equal items
    EXPECT_EQ(sl.Find(String(u"zz")), -1);
    const hgl::u16char *stable = sl[0].c_str();
    for (int i = 0; i < 100; ++i)
        sl.AddText(u"more");
    EXPECT_EQ(sl[0].c_str(), stable);               // items keep their addresses

    MemStream ms;
    ASSERT_TRUE(sl.WriteToStream(&ms));
    ms.Position = 0;
    StringList back;
    back.AddText(u"kept");
    ASSERT_TRUE(back.ReadFromStream(&ms));          // appends
    ASSERT_EQ(back.Count, sl.Count + 1);
    EXPECT_EQ(back[0], u"kept");
    EXPECT_EQ(back[5].GetLength(), 0);
    EXPECT_EQ(back[4], u"plain");

    // A cut stream keeps what was read and reports false.
    MemStream cut;
    const int32_t count = 3;
    cut.Write(&count, 4);
    cut.WriteString(String(u"one"));
    const int32_t bad = 1000;
    cut.Write(&bad, 4);
    cut.Position = 0;
    StringList part;
    EXPECT_FALSE(part.ReadFromStream(&cut));
    EXPECT_EQ(part.Count, 1);
    MemStream tiny;
    tiny.Write("ab", 2);
    tiny.Position = 0;
    EXPECT_FALSE(part.ReadFromStream(&tiny));

    sl.Clear();
    EXPECT_EQ(sl.Count, 0);
    EXPECT_EQ(sl.GetCount(), 0);
}

TEST(StringList, FilesAndArchives)
{
    TempDir dir("sl");
    ASSERT_TRUE(dir.WriteFile("Text/Credits.txt", "\xEF\xBB\xBFline one\nline two\n"));
    StringList sl;
    ASSERT_TRUE(sl.LoadFromFile(dir.File16("text/credits.TXT").c_str(), 0));
    EXPECT_EQ(sl.Count, 2);
    EXPECT_FALSE(sl.LoadFromFile(dir.File16("none.txt").c_str(), 0));

    hgl::hacpack::HacWriter w;
    w.root.Add(u"Script\\Main.txt", LE(u"main()\r\n{\r\n}"));
    auto hac = archive_test::Mount(dir, w);
    ASSERT_TRUE(hac);
    ASSERT_TRUE(sl.LoadFromHAC(hac.get(), u"script\\main.txt", 0));
    EXPECT_EQ(sl.Count, 3);
    EXPECT_EQ(sl[0], u"main()");
    EXPECT_FALSE(sl.LoadFromHAC(hac.get(), u"script\\none.txt", 0));
    EXPECT_FALSE(sl.LoadFromHAC(nullptr, u"x", 0));
}
