// Less-travelled corners of String: the rarely used setters and their sharing rules,
// queries on both kinds of empty String, edits of shared Strings and failure paths.
#include "core/String.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

using hgl::PrivateString;
using hgl::String;
using hgl::u16char;

namespace
{
std::u16string Text(const String &s) { return s.c_str() ? std::u16string(s.c_str(), s.Length) : std::u16string(); }
const u16char *const kNull = nullptr;
} // namespace

TEST(StringEdge, SharedBufferEdits)
{
    auto *p = new PrivateString(u"abc", -1, false);
    p->Strcat(u"xyz", 0);          // an explicit length of 0 adds nothing
    p->Strcat(u"defgh", 2);        // only the given units
    EXPECT_EQ(std::u16string(p->Buffer()), u"abcde");
    p->Delete(3, 2);               // exactly to the end
    EXPECT_EQ(std::u16string(p->Buffer()), u"abc");
    EXPECT_EQ(p->Length(), 3);
    p->Delete(1, INT_MAX);         // huge count: cut at pos, no overflow
    EXPECT_EQ(std::u16string(p->Buffer()), u"a");
    EXPECT_TRUE(p->Release());
}

TEST(StringEdge, SettersAndSharing)
{
    String a(u"abc");
    String b;
    b.Set(a);
    EXPECT_EQ(b.c_str(), a.c_str());
    b.Set(a);                                   // already shared: nothing
    EXPECT_EQ(b.c_str(), a.c_str());
    b = String();                               // an empty String without instance
    EXPECT_EQ(b.c_str(), nullptr);
    EXPECT_EQ(Text(a), u"abc");

    String c;
    (c = a) = u"zz";                            // assignment returns the String
    EXPECT_EQ(Text(c), u"zz");
    EXPECT_EQ(Text(a), u"abc");
    c.Set(u"hello", 3);
    EXPECT_EQ(Text(c), u"hel");
    c.SetCopy(u"world", 2);
    EXPECT_EQ(Text(c), u"wo");
    c.SetCopy(kNull, -1);                       // null text: released, nothing new
    EXPECT_EQ(c.c_str(), nullptr);
    EXPECT_EQ(c.Length, 0);
    c = u"abc";
    c = kNull;
    EXPECT_EQ(c.c_str(), nullptr);

    // SetAdopt installs the caller's array; a sharer keeps the old text.
    String e(u"old");
    String eCopy(e);
    auto *buf = new u16char[3]{u'n', u'w', 0};
    e.SetAdopt(buf, 2);
    EXPECT_EQ(e.c_str(), buf);
    EXPECT_EQ(Text(eCopy), u"old");

    // Clear: true only when it let go of the last reference.
    String f(u"f");
    String g(f);
    EXPECT_FALSE(f.Clear());
    EXPECT_EQ(f.c_str(), nullptr);
    EXPECT_EQ(Text(g), u"f");
    EXPECT_TRUE(g.Clear());
    EXPECT_FALSE(g.Clear());
    EXPECT_FALSE(String().Clear());
}

TEST(StringEdge, QueriesOnEitherKindOfEmptyString)
{
    String none;
    String blank;
    blank = u"";                                // an instance of length 0
    for (const String *s : {&none, &blank}) {
        EXPECT_EQ(s->Length, 0);
        EXPECT_EQ(s->c_str(), nullptr);
        EXPECT_EQ(s->GetChar(0), 0);
        EXPECT_EQ(s->FindChar(0, u'a'), -1);
        EXPECT_EQ(s->FindString(String(u"a")), -1);
        EXPECT_EQ(s->StatChar(u'a'), 0);
        EXPECT_EQ(s->StatLine(), 0);
        EXPECT_EQ(s->CreateCopy(), nullptr);
        EXPECT_EQ(s->Comp(u""), -1);
        EXPECT_EQ(s->Comp(kNull), 0);
    }
    EXPECT_EQ(none.Comp(blank), 0);
    EXPECT_EQ(String(u"a").Comp(blank), 1);

    String s(u"abcabc");
    EXPECT_EQ(s.FindChar(2, u'c'), 0);          // found at start: distance 0
    EXPECT_EQ(s.FindChar(3, u'c'), 2);
    EXPECT_EQ(s.FindChar(3, u'z'), -1);
    EXPECT_EQ(s.FindChar(100, u'c'), -1);
    EXPECT_EQ(s.FindString(String(u"ca")), 2);
    EXPECT_EQ(s.FindString(String(u"abcabcabc")), -1);
    EXPECT_EQ(String(u"\n\n").StatLine(), 2);
    EXPECT_EQ(String(u"abc").StatLine(), 1);
}

TEST(StringEdge, EditsOfSharedAndEmptyStrings)
{
    String a(u"ab");
    String shared(a);
    shared += String(u"c");
    shared += String();
    EXPECT_EQ(Text(a), u"ab");
    EXPECT_EQ(Text(shared), u"abc");

    // An instance of length 0 shared three ways: only the appender changes.
    String e1;
    e1 = u"";
    String e2(e1), e3(e1);
    e2.Strcat(u"y");
    EXPECT_EQ(Text(e2), u"y");
    EXPECT_EQ(e1.Length, 0);
    EXPECT_EQ(e3.Length, 0);
    e3.Strcat(u"z");
    EXPECT_EQ(Text(e3), u"z");
    EXPECT_EQ(e1.Length, 0);

    String d(u"abcdef");
    d.Delete(0, 0);
    d.Delete(100, 1);
    EXPECT_EQ(Text(d), u"abcdef");
    String none;
    none.Delete(0, 1);
    none.LowerCase();
    none.Replace(u'a', u'b');
    none.Unlink();
    EXPECT_EQ(none.c_str(), nullptr);

    // ClearString on a shared String leaves the sharer alone; an emptied String
    // has no instance left.
    String c(u"xabyab");
    String cCopy(c);
    EXPECT_TRUE(c.ClearString(String(u"ab")));
    EXPECT_EQ(Text(c), u"xy");
    EXPECT_EQ(Text(cCopy), u"xabyab");
    EXPECT_FALSE(c.ClearString(String(u"zz")));
    EXPECT_FALSE(c.ClearString(String(u"")));
    EXPECT_FALSE(String().ClearString(String(u"a")));
    String all(u"abab");
    EXPECT_TRUE(all.ClearString(String(u"ab")));
    EXPECT_EQ(all.c_str(), nullptr);

    // Free operator+: the text first, then the String; a null text counts as empty.
    EXPECT_EQ(Text(kNull + String(u"cd")), u"cd");
    EXPECT_EQ(Text(u"ab" + String()), u"ab");
    EXPECT_EQ((kNull + String()).Length, 0);
}

TEST(StringEdge, FormattingIntoAString)
{
    String s(u"keep");
    String sCopy(s);
    s.Sprintf(u"%s<%d>", u"名字", 42);
    EXPECT_EQ(Text(s), u"名字<42>");
    EXPECT_EQ(Text(sCopy), u"keep");
    String t;
    t.CatSprintf(u"%s", u"x");                  // on a String without instance
    EXPECT_EQ(Text(t), u"x");
    t.Sprintf(u"%s", kNull);
    EXPECT_EQ(Text(t), u"(null)");
    t.Sprintf(u"");
    EXPECT_EQ(t.Length, 0);

    String p(u"p");
    String sharer(p);
    p.CatSprintf(u"%d", 5);
    EXPECT_EQ(Text(p), u"p5");
    EXPECT_EQ(Text(sharer), u"p");
}

TEST(StringEdge, CodePageConversions)
{
    hgl::test::LogCapture log;

    EXPECT_EQ(Text(String(936u, "\xD6\xD0\xCE\xC4", 2)), u"中");   // only the bytes given
    EXPECT_EQ(Text(String(0u, "\xD6\xD0", -1)), u"中");            // 0: the ANSI code page
    const char withZero[] = {'a', 'b', 0, 'c'};
    EXPECT_EQ(String(936u, withZero, -1).Length, 2);

    String s(u"keep");
    s.SetMultiByte(936, "\0abc", 4);            // first byte 0: nothing
    s.SetMultiByte(936, "", -1);
    EXPECT_EQ(Text(s), u"keep");
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    s.SetMultiByte(4242, "abc", -1);
    EXPECT_EQ(Text(s), u"keep");
    EXPECT_EQ(log.Errors(), (std::vector<std::u16string>{u"无效的代码页<4242>"})) << log.Dump();

    char *out = nullptr;
    EXPECT_EQ(String(u"abc").ToMultiByte(&out, 936), 4);
    EXPECT_STREQ(out, "abc");
    delete[] out;
    EXPECT_EQ(String(u"中").ToMultiByte(&out, 65001), 4);
    EXPECT_STREQ(out, "\xE4\xB8\xAD");
    delete[] out;
    EXPECT_EQ(String(u"中").ToMultiByte(&out, 0), 3);   // the ANSI code page, 936
    EXPECT_STREQ(out, "\xD6\xD0");
    delete[] out;

    u16char buf[16];
    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_TRUE(hgl::MultiByteToWide(936, buf, 15, "abc", -1));
    EXPECT_EQ(std::u16string(buf), u"abc");
    EXPECT_FALSE(hgl::MultiByteToWide(936, buf, 15, "", 0));
    EXPECT_FALSE(hgl::MultiByteToWide(936, buf, 15, nullptr, 3));
}

TEST(StringEdge, NumberConstructorsAtTheLimits)
{
    EXPECT_EQ(Text(String(INT_MIN)), u"-2147483648");
    EXPECT_EQ(Text(String(INT_MAX)), u"2147483647");
    EXPECT_EQ(Text(String(static_cast<hgl::int64>(INT64_MAX))), u"9223372036854775807");
    EXPECT_EQ(Text(String(u'a')), u"a");
    RecordProperty("sizeof_String", static_cast<int>(sizeof(String)));
    EXPECT_LE(sizeof(String), 16u);
}
