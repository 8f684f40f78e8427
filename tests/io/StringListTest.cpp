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
    if (!bytes.empty()) ms.Write(bytes.data(), int(bytes.size()));
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
