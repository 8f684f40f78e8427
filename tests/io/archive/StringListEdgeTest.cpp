// Text files of every encoding split into lines, the list's stream form, and the
// key/value files read through it.
#include "ArchiveTestUtil.h"

#include "io/MemStream.h"
#include "io/OpenHAC.h"
#include "io/PList.h"
#include "io/StringList.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
using archive_test::Utf16BE;
using archive_test::Utf16LE;
using Bytes = std::vector<uint8_t>;

std::vector<std::u16string> Lines(const hgl::StringList &l)
{
    std::vector<std::u16string> out;
    for (int i = 0; i < l.Count; ++i)
        out.push_back(l[i].ToStdString());
    return out;
}

std::vector<std::u16string> LoadBytes(const std::string &bytes, unsigned cp = 65001)
{
    hgl::MemStream ms;
    if (!bytes.empty())
        ms.Write(bytes.data(), int(bytes.size()));
    ms.Position = 0;
    hgl::StringList l;
    l.Add(hgl::String(u"stale"));
    l.LoadFromStream(&ms, cp);
    return Lines(l);
}

using V = std::vector<std::u16string>;
} // namespace

TEST(StringListEdge, MarksBreaksAndDecoding)
{
    EXPECT_EQ(LoadBytes("\xFF\xFE"), V{});
    EXPECT_EQ(LoadBytes("\xFE\xFF"), V{});
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF"), V{});
    EXPECT_EQ(LoadBytes(""), V{});
    EXPECT_EQ(LoadBytes("\xFF\xFE" "A"), V{});     // a mark and half a unit
    EXPECT_EQ(LoadBytes("\xFE\xFF" "A"), V{});
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF" "A"), V{u"A"});
    EXPECT_EQ(LoadBytes("abc"), V{u"abc"});
    EXPECT_EQ(LoadBytes("a"), V{u"a"});
    EXPECT_EQ(LoadBytes("ab"), V{u"ab"});

    EXPECT_EQ(LoadBytes("a\r\nb"), (V{u"a", u"b"}));
    EXPECT_EQ(LoadBytes("a\r\nb\r\n"), (V{u"a", u"b"}));
    EXPECT_EQ(LoadBytes("a\r\rb"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(LoadBytes("a\n\rb"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(LoadBytes("a\n\nb"), (V{u"a", u"", u"b"})); // blank LF lines survive
    EXPECT_EQ(LoadBytes("a\r\n\r\nb\n"), (V{u"a", u"", u"b"}));
    EXPECT_EQ(LoadBytes("\r\n"), (V{u""}));
    EXPECT_EQ(LoadBytes(std::string("ab\0cd\ne", 7)), (V{u"ab"})); // NUL ends the text

    // UTF-8 with the mark.
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF\xE4\xB8\xAD", 936), (V{u"\x4E2D"}));
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF\xC3\xA9x", 936), (V{u"\x00E9x"}));
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF\xF0\x9F\x98\x80!", 936), (V{u"\xD83D\xDE00!"}));
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBFok\xE4\xB8", 936), (V{u"ok\xFFFD"}));
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF\x80z", 936), (V{u"\xFFFDz"}));
    EXPECT_EQ(LoadBytes("\xEF\xBB\xBF" "a\xC3\nb", 936), (V{u"a\xFFFD", u"b"}));

    // UTF-16 both ways; an odd last byte is dropped.
    const std::u16string text = u"第一\r\nline2\n\nx";
    const V expect{u"第一", u"line2", u"", u"x"};
    EXPECT_EQ(LoadBytes("\xFF\xFE" + Utf16LE(text)), expect);
    EXPECT_EQ(LoadBytes("\xFE\xFF" + Utf16BE(text)), expect);
    EXPECT_EQ(LoadBytes("\xFF\xFE" + Utf16LE(u"ab") + "c"), (V{u"ab"}));
    EXPECT_EQ(LoadBytes("\xFF\xFE" + Utf16LE(u"ab") + std::string("\0\0", 2) + Utf16LE(u"cd")), (V{u"ab"}));

    // Without a mark the given code page decodes.
    EXPECT_EQ(LoadBytes("\xD6\xD0\r\n\xCE\xC4", 936), (V{u"中", u"文"}));
    EXPECT_EQ(LoadBytes("\xE4\xB8\xAD", 65001), (V{u"中"}));
}

TEST(StringListEdge, ListOperationsAndStreamForm)
{
    hgl::StringList l;
    EXPECT_EQ(l.Add(hgl::String(u"x")), 0);
    EXPECT_EQ(l.AddText(u"hello"), 1);
    EXPECT_EQ(l.AddText(u"hello world", 5), 2);
    EXPECT_EQ(l.AddText("\xD6\xD0", 936u), 3);
    EXPECT_EQ(l.AddText("\xE4\xB8\xADxyz", 3, 65001u), 4);
    EXPECT_EQ(l.AddText(u"", -1), 5);
    EXPECT_EQ(Lines(l), (V{u"x", u"hello", u"hello", u"中", u"中", u""}));
    EXPECT_EQ(int(l.Count), 6);
    EXPECT_EQ(l.Find(hgl::String(u"hello")), 2);
    EXPECT_EQ(l.Find(hgl::String(u"中")), 4);
    EXPECT_EQ(l.Find(hgl::String(u"Hello")), -1);

    hgl::MemStream ms;
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
    hgl::StringList r;
    r.Add(hgl::String(u"kept"));
    ms.Position = 0;
    ASSERT_TRUE(r.ReadFromStream(&ms));
    EXPECT_EQ(int(r.Count), 7);
    EXPECT_EQ(r[0], u"kept");
    EXPECT_EQ(r[6], u"");

    hgl::MemStream cut;
    cut.Write(bytes.data(), int(bytes.size()) - 3);
    cut.Position = 0;
    hgl::StringList p;
    EXPECT_FALSE(p.ReadFromStream(&cut));
    EXPECT_EQ(int(p.Count), 5);

    hgl::MemStream three;
    three.Write("\x01\0\0", 3);
    three.Position = 0;
    EXPECT_FALSE(p.ReadFromStream(&three));

    hgl::MemStream huge;
    huge.Write("\x01\0\0\0\xFF\xFF\xFF\x7F", 8);
    huge.Position = 0;
    hgl::StringList h;
    EXPECT_FALSE(h.ReadFromStream(&huge));
    EXPECT_EQ(int(h.Count), 0);

    l.Clear();
    EXPECT_EQ(int(l.Count), 0);
}

TEST(StringListEdge, FilesAndArchives)
{
    hgl::test::TempDir dir("slfiles");
    ASSERT_TRUE(dir.WriteFile("pack/t.txt", std::string("\xFF\xFE", 2) + Utf16LE(u"a\r\nb")));
    hgl::StringList l;
    EXPECT_TRUE(l.LoadFromFile(dir.File16("pack/t.txt").c_str(), 0));
    EXPECT_EQ(Lines(l), (V{u"a", u"b"}));
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(l.LoadFromFile(dir.File16("missing.txt").c_str(), 0));
    }
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("pack").c_str()));
    ASSERT_NE(hac, nullptr);
    hgl::StringList h;
    EXPECT_TRUE(h.LoadFromHAC(hac.get(), u"t.txt", 0));
    EXPECT_EQ(Lines(h), (V{u"a", u"b"}));
    EXPECT_FALSE(h.LoadFromHAC(hac.get(), u"missing.txt", 0));
    EXPECT_FALSE(h.LoadFromHAC(nullptr, u"t.txt", 0));
}

TEST(PListEdge, ParseSaveAndLoad)
{
    hgl::PList p;
    EXPECT_TRUE(p.ParseLine(hgl::String(u"key\t =value")));
    EXPECT_TRUE(p.ParseLine(hgl::String(u"a b\tc d ")));
    EXPECT_FALSE(p.ParseLine(hgl::String(u"x")));
    EXPECT_FALSE(p.ParseLine(hgl::String(u"xy")));
    EXPECT_FALSE(p.ParseLine(hgl::String(u"")));
    EXPECT_TRUE(p.ParseLine(hgl::String(u"\tv")));
    EXPECT_TRUE(p.ParseLine(hgl::String(u"Name=My Game")));
    EXPECT_TRUE(p.ParseLine(hgl::String(u"k=v")));
    EXPECT_TRUE(p.ParseLine(hgl::String(u"e\t")));
    EXPECT_EQ(int(p.Count), 6);

    hgl::String v;
    EXPECT_TRUE(p.Get(hgl::String(u"key"), v));
    EXPECT_EQ(v, u"value");
    EXPECT_TRUE(p.Get(hgl::String(u"a b"), v));
    EXPECT_EQ(v, u"c d ");
    EXPECT_TRUE(p.Get(hgl::String(u""), v));
    EXPECT_EQ(v, u"v");
    EXPECT_TRUE(p.Get(hgl::String(u"Name=My"), v));
    EXPECT_EQ(v, u"Game");
    EXPECT_TRUE(p.Get(hgl::String(u"k"), v));
    EXPECT_EQ(v, u"v");
    EXPECT_TRUE(p.Get(hgl::String(u"e"), v));
    EXPECT_EQ(v, u"");

    hgl::String k;
    EXPECT_FALSE(p.GetPair(-1, k, v));
    EXPECT_FALSE(p.GetPair(6, k, v));
    ASSERT_TRUE(p.GetPair(0, k, v));
    EXPECT_EQ(k, u"");

    hgl::test::TempDir dir("plistedge");
    hgl::PList two;
    two.ParseLine(hgl::String(u"B\t2"));
    two.ParseLine(hgl::String(u"A\t 1"));
    ASSERT_TRUE(two.SaveToFile(dir.File16("out.txt").c_str()));
    EXPECT_EQ(dir.ReadFile("out.txt"), std::string("\xFF\xFE", 2) + Utf16LE(u"B\t2\nA\t1\n"));

    // Empty keys and values write nothing between the separators.
    hgl::PList blanks;
    blanks.ParseLine(hgl::String(u"\tv"));
    blanks.ParseLine(hgl::String(u"e\t"));
    blanks.ParseLine(hgl::String(u"键\t值"));
    ASSERT_TRUE(blanks.SaveToFile(dir.File16("blanks.txt").c_str()));
    EXPECT_EQ(dir.ReadFile("blanks.txt"), std::string("\xFF\xFE", 2) + Utf16LE(u"键\t值\ne\t\n\tv\n"));

    // Reading back: keys in any encoding; the first of equal keys wins; loading adds.
    ASSERT_TRUE(dir.WriteFile("in.txt", "k\tfirst\r\nk\tsecond\r\nother =x\r\nz\r\n"));
    hgl::PList in;
    in.ParseLine(hgl::String(u"pre\tset"));
    ASSERT_TRUE(in.LoadFromFile(dir.File16("in.txt").c_str()));
    EXPECT_EQ(int(in.Count), 3);
    EXPECT_TRUE(in.Get(hgl::String(u"k"), v));
    EXPECT_EQ(v, u"first");
    EXPECT_TRUE(in.Get(hgl::String(u"other"), v));
    EXPECT_EQ(v, u"x");
    EXPECT_TRUE(in.Get(hgl::String(u"pre"), v));

    hgl::PList round;
    ASSERT_TRUE(round.LoadFromFile(dir.File16("out.txt").c_str()));
    EXPECT_EQ(int(round.Count), 2);
    EXPECT_TRUE(round.Get(hgl::String(u"A"), v));
    EXPECT_EQ(v, u"1");

    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(in.LoadFromFile(dir.File16("missing.txt").c_str()));
        EXPECT_FALSE(two.SaveToFile(dir.File16("no/such/dir/x.txt").c_str()));
    }
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.Path16().c_str()));
    ASSERT_NE(hac, nullptr);
    hgl::PList fromhac;
    EXPECT_TRUE(fromhac.LoadFromHAC(hac.get(), u"in.txt"));
    EXPECT_EQ(int(fromhac.Count), 2);
    EXPECT_FALSE(fromhac.LoadFromHAC(hac.get(), u"missing.txt"));
}
