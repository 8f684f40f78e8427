// String lists: byte-order marks, line breaks, UTF-8 decoding, stream form.
#include "ArchiveTestUtil.h"

#include "io/MemStream.h"
#include "io/StringList.h"
#include "support/LogCapture.h"

using archive_test::Utf16BE;
using archive_test::Utf16LE;
using hgl::MemStream;
using hgl::String;
using hgl::StringList;
using hgl::test::TempDir;

namespace
{
using V = std::vector<std::u16string>;

V Lines(const StringList &l)
{
    V v;
    for (int i = 0; i < l.Count; ++i)
        v.push_back(l[i].ToStdString());
    return v;
}

// The lines of a text file's bytes; loading replaces what the list held.
V Lines(const std::string &bytes, unsigned codePage = 65001)
{
    MemStream ms;
    if (!bytes.empty())
        ms.Write(bytes.data(), int(bytes.size()));
    ms.Position = 0;
    StringList sl;
    sl.Add(String(u"stale"));
    sl.LoadFromStream(&ms, codePage);
    return Lines(sl);
}

const std::string LEMark("\xFF\xFE"), BEMark("\xFE\xFF"), U8Mark("\xEF\xBB\xBF");
} // namespace

TEST(StringList, MarksBreaksAndDecoding)
{
    const std::u16string text = u"第一行\r\nsecond\r\n\r\nlast";
    const V lines{u"第一行", u"second", u"", u"last"};
    const struct
    {
        std::string bytes;
        unsigned cp;
        V expect;
    } cases[] = {
        // Marks alone, and marks with half a unit after them.
        {"", 65001, {}},
        {LEMark, 65001, {}},
        {BEMark, 65001, {}},
        {U8Mark, 65001, {}},
        {LEMark + "A", 65001, {}},
        {BEMark + "A", 65001, {}},
        {U8Mark + "A", 65001, {u"A"}},
        {"\xFF", 65001, {u"\uFFFD"}}, // one byte, no mark: a one-byte text
        {"a", 65001, {u"a"}},
        {"ab", 65001, {u"ab"}},
        // Line breaks; LF-only files keep their blank lines; a NUL ends the text.
        {"a\r\nb", 65001, {u"a", u"b"}},
        {"a\r\nb\r\n", 65001, {u"a", u"b"}},
        {"a\r\rb", 65001, {u"a", u"", u"b"}},
        {"a\n\rb", 65001, {u"a", u"", u"b"}},
        {"a\n\nb\n", 65001, {u"a", u"", u"b"}},
        {"a\r\n\r\nb\n", 65001, {u"a", u"", u"b"}},
        {"\r\n", 65001, {u""}},
        {std::string("ab\0cd\ne", 7), 65001, {u"ab"}},
        // UTF-16 both ways; an odd trailing byte is ignored.
        {LEMark + Utf16LE(text), 65001, lines},
        {BEMark + Utf16BE(text), 65001, lines},
        {LEMark + Utf16LE(text) + "A", 65001, lines},
        {LEMark + Utf16LE(std::u16string(u"x\0y", 3)), 65001, {u"x"}},
        // UTF-8 with the mark, whatever the code page; cut sequences give one
        // replacement and nothing is read past the block.
        {U8Mark + "\xE4\xB8\xAD", 936, {u"\u4E2D"}},
        {U8Mark + "\xC3\xA9x", 936, {u"\u00E9x"}},
        {U8Mark + "\xF0\x9F\x98\x80!", 936, {u"\U0001F600!"}},
        {U8Mark + "ok\xE4\xB8", 65001, {u"ok\uFFFD"}},
        {U8Mark + "\xE4\xB8\nz", 65001, {u"\uFFFD", u"z"}},
        {U8Mark + "\x80x\xFFy\xC0\x80", 65001, {u"\uFFFDx\uFFFDy\uFFFD\uFFFD"}},
        // No mark: the given code page.
        {"\xD6\xD0\xCE\xC4\r\nabc", 936, {u"中文", u"abc"}},
        {"\xE4\xB8\xAD", 65001, {u"\u4E2D"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Lines(c.bytes, c.cp), c.expect) << ::testing::PrintToString(c.bytes);
    EXPECT_EQ(Lines("\xEF\xBB").size(), 1u); // too short for a mark: code-page text
}

TEST(StringList, ListOperationsAndStreamForm)
{
    StringList l;
    EXPECT_EQ(l.Add(String(u"x")), 0);
    EXPECT_EQ(l.AddText(u"hello"), 1);
    EXPECT_EQ(l.AddText(u"hello world", 5), 2);
    EXPECT_EQ(l.AddText("\xD6\xD0", 936u), 3);
    EXPECT_EQ(l.AddText("\xE4\xB8\xADxyz", 3, 65001u), 4);
    EXPECT_EQ(l.AddText(u"", -1), 5);
    EXPECT_EQ(Lines(l), (V{u"x", u"hello", u"hello", u"中", u"中", u""}));
    EXPECT_EQ(l.Find(String(u"hello")), 2); // the later of two equal items
    EXPECT_EQ(l.Find(String(u"Hello")), -1);

    MemStream ms;
    ASSERT_TRUE(l.WriteToStream(&ms));
    const std::string bytes(reinterpret_cast<const char *>(ms.GetData()), size_t(int64_t(ms.Size)));
    std::string expect("\x06\0\0\0", 4);
    for (const std::u16string &s : Lines(l))
    {
        const uint32_t n = uint32_t(s.size());
        expect.append(reinterpret_cast<const char *>(&n), 4);
        expect += Utf16LE(s);
    }
    EXPECT_EQ(bytes, expect);

    // Reading appends; a short count or item fails, keeping what was read.
    StringList r;
    r.Add(String(u"kept"));
    ms.Position = 0;
    ASSERT_TRUE(r.ReadFromStream(&ms));
    EXPECT_EQ(int(r.Count), 7);
    EXPECT_EQ(r[0], u"kept");
    EXPECT_EQ(r[6], u"");

    MemStream cut;
    cut.Write(bytes.data(), int(bytes.size()) - 3);
    cut.Position = 0;
    StringList p;
    EXPECT_FALSE(p.ReadFromStream(&cut));
    EXPECT_EQ(int(p.Count), 5);
    MemStream three;
    three.Write("\x01\0\0", 3);
    three.Position = 0;
    EXPECT_FALSE(p.ReadFromStream(&three));
    // A forged item length is refused without allocating for it.
    MemStream huge;
    huge.Write("\x01\0\0\0\xFF\xFF\xFF\x7F", 8);
    huge.Position = 0;
    StringList h;
    EXPECT_FALSE(h.ReadFromStream(&huge));
    EXPECT_EQ(int(h.Count), 0);

    // Items keep their addresses while the list grows.
    const hgl::u16char *stable = l[0].c_str();
    for (int i = 0; i < 100; ++i)
        l.AddText(u"more");
    EXPECT_EQ(l[0].c_str(), stable);
    l.Clear();
    EXPECT_EQ(int(l.Count), 0);
}

TEST(StringList, FilesAndArchives)
{
    TempDir dir("sl");
    ASSERT_TRUE(dir.WriteFile("Text/Credits.txt", "\xEF\xBB\xBFline one\nline two\n"));
    StringList sl;
    ASSERT_TRUE(sl.LoadFromFile(dir.File16("text/credits.TXT").c_str(), 0));
    EXPECT_EQ(Lines(sl), (V{u"line one", u"line two"}));
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(sl.LoadFromFile(dir.File16("none.txt").c_str(), 0));
    }

    hgl::hacpack::HacWriter w;
    w.root.Add(u"Script\\Main.txt", LEMark + Utf16LE(u"main()\r\n{\r\n}"));
    auto hac = archive_test::Mount(dir, w);
    ASSERT_TRUE(hac);
    ASSERT_TRUE(sl.LoadFromHAC(hac.get(), u"script\\main.txt", 0));
    EXPECT_EQ(Lines(sl), (V{u"main()", u"{", u"}"}));
    hgl::test::LogCapture log;
    EXPECT_FALSE(sl.LoadFromHAC(hac.get(), u"script\\none.txt", 0));
    EXPECT_FALSE(sl.LoadFromHAC(nullptr, u"x", 0));
}
