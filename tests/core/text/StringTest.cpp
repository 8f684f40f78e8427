#include "core/String.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using hgl::String;
using hgl::u16char;

namespace
{
std::u16string Text(const String &s) { return s.c_str() ? std::u16string(s.c_str(), s.Length) : std::u16string(); }
} // namespace

TEST(String, EmptyStringsAndComparison)
{
    String none;
    String blank(u"");
    for (const String *s : {&none, &blank}) {
        EXPECT_EQ(s->Length, 0);
        EXPECT_EQ(s->c_str(), nullptr);
        EXPECT_EQ(s->Comp(u""), -1);   // kept as it always was: test emptiness with Length
        EXPECT_EQ(s->Comp(static_cast<const u16char *>(nullptr)), 0);
    }
    EXPECT_EQ(none.Comp(blank), 0);
    EXPECT_EQ(String(u"x", 0).Length, 0);
    EXPECT_EQ(String(static_cast<const u16char *>(nullptr)).Length, 0);

    String abc(u"abc");
    EXPECT_EQ(abc.Comp(static_cast<const u16char *>(nullptr)), 1);
    EXPECT_EQ(abc.Comp(u""), 1);
    EXPECT_EQ(abc.Comp(String(u"abd")), -1);
    EXPECT_EQ(String(u"ab").Comp(abc), -99);
    EXPECT_EQ(abc.Comp(String(u"ab")), 99);
    EXPECT_EQ(abc.Comp(u"abc"), 0);
    EXPECT_EQ(abc.Comp(u"abcd"), -'d');
    EXPECT_EQ(none.Comp(abc), -1);
    EXPECT_EQ(abc.Comp(none), 1);
    EXPECT_GT(String(u"\x9000").Comp(String(u"z")), 0);

    // Embedded zero units take part in the comparison.
    const u16char withZero[] = {u'a', 0, u'b'};
    const u16char withZero2[] = {u'a', 0, u'c'};
    EXPECT_EQ(String(withZero, 3).Comp(String(withZero2, 3)), -1);

    // Content operators treat every empty form alike.
    EXPECT_TRUE(none == blank);
    EXPECT_TRUE(none == u"");
    EXPECT_TRUE(abc == u"abc");
    EXPECT_TRUE(abc != u"ab");
    EXPECT_TRUE(String(u"ab") < abc);
}

TEST(String, Constructors)
{
    EXPECT_EQ(Text(String(u'\n')), u"\n");
    EXPECT_EQ(String(u16char(0)).Length, 0);
    EXPECT_EQ(Text(String(-15)), u"-15");
    EXPECT_EQ(Text(String(0)), u"0");
    EXPECT_EQ(Text(String(static_cast<hgl::int64>(INT64_MIN))), u"-9223372036854775808");
    EXPECT_EQ(Text(String(1234567890123LL)), u"1234567890123");
    EXPECT_EQ(Text(String(u"abcdef", 3)), u"abc");
    EXPECT_EQ(Text(String(u"abcdef", -1)), u"abcdef");
    EXPECT_EQ(Text(String("plain")), u"plain");
    EXPECT_EQ(Text(String(std::u16string(u"std"))), u"std");
    EXPECT_EQ(String::FromUTF8("中文").ToStdString(), u"中文");
    EXPECT_EQ(String(u"中文").ToUTF8(), "中文");
    std::ostringstream os;
    os << String(u"路径");
    EXPECT_EQ(os.str(), "路径");

    EXPECT_EQ(std::hash<String>{}(String(u"")), std::hash<String>{}(String()));
    EXPECT_EQ(std::hash<String>{}(String(u"ab")), std::hash<String>{}(String(u"a") + u"b"));

    static_assert(sizeof(String) <= 16, "a String is a pointer and its length property");

    // A bare nullptr could mean either text type: it gives an empty String.
    String fromNull(nullptr);
    EXPECT_EQ(fromNull.Length, 0);
    EXPECT_EQ(fromNull.c_str(), nullptr);

    // Unsigned numbers in decimal (the signed forms and the character would be ambiguous).
    EXPECT_EQ(Text(String(4000000000u)), u"4000000000");
    EXPECT_EQ(Text(String(0u)), u"0");
    EXPECT_EQ(Text(String(static_cast<unsigned long>(UINT64_MAX))), u"18446744073709551615");
    EXPECT_EQ(Text(String(18446744073709551615ULL)), u"18446744073709551615");
    EXPECT_EQ(Text(String(static_cast<hgl::int64>(-15))), u"-15");
    EXPECT_EQ(Text(String(true)), u"1");   // a bool promotes to int
}

TEST(String, LengthIsReadThroughItsOwnPropertyObject)
{
    String s;
    const auto &len = s.Length;
    EXPECT_EQ(len, 0);
    EXPECT_EQ(len.Get(), 0);
    s = u"hello";
    EXPECT_EQ(len, 5);
    EXPECT_EQ(len.Get(), 5);
    EXPECT_EQ(len(), 5);
    EXPECT_TRUE(len.CanRead());
    EXPECT_FALSE(len.CanWrite());
    int n = s.Length;
    EXPECT_EQ(n + 1, s.Length + 1);
    EXPECT_EQ(static_cast<size_t>(s.Length), 5u);

    // A copy binds its own property: it keeps reporting its own text.
    String copy(s);
    s.Strcat(u" world");
    EXPECT_EQ(copy.Length, 5);
    EXPECT_EQ(s.Length, 11);
    s.Clear();
    EXPECT_EQ(copy.Length, 5);
}

TEST(String, PrivateStringOperations)
{
    auto *p = new hgl::PrivateString(u"abcdef", -1, false);
    EXPECT_EQ(p->Length(), 6);
    EXPECT_EQ(p->RefCount(), 1);
    p->AddRef();
    EXPECT_FALSE(p->Release());   // another holder remains
    p->Strcat(u"gh", -1);
    EXPECT_EQ(std::u16string(p->Buffer()), u"abcdefgh");
    p->Strcat(u"", -1);           // nothing to add
    EXPECT_EQ(p->Length(), 8);
    p->Delete(1, 2);
    EXPECT_EQ(std::u16string(p->Buffer()), u"adefgh");
    p->Delete(3, 100);            // past the end: cut at pos
    EXPECT_EQ(std::u16string(p->Buffer()), u"ade");
    EXPECT_EQ(p->Length(), 3);
    EXPECT_TRUE(p->Release());    // the last holder destroys it

    for (const hgl::PrivateString *q : {new hgl::PrivateString(nullptr, -1, false), new hgl::PrivateString(u"", -1, false),
                                        new hgl::PrivateString(u"abc", 0, false)}) {
        EXPECT_EQ(q->Length(), 0);
        EXPECT_EQ(q->Buffer(), nullptr);
        const_cast<hgl::PrivateString *>(q)->Release();
    }
    auto *two = new hgl::PrivateString(u"abcdef", 2, false);
    EXPECT_EQ(std::u16string(two->Buffer()), u"ab");
    two->Release();

    u16char *owned = new u16char[3]{u'h', u'i', 0};
    auto *adopted = new hgl::PrivateString(owned, 2, true);
    EXPECT_EQ(adopted->Buffer(), owned);
    adopted->Release();
    owned = new u16char[4]{u'a', u'b', u'c', 0};
    adopted = new hgl::PrivateString(owned, -1, true);   // measured
    EXPECT_EQ(adopted->Length(), 3);
    EXPECT_EQ(adopted->Buffer(), owned);
    adopted->Release();
}

TEST(String, CopyOnWriteIsVisibleThroughPointers)
{
    String a(u"x");
    String b(a);
    EXPECT_EQ(a.c_str(), b.c_str());
    b.Strcat(u"y");
    EXPECT_NE(a.c_str(), b.c_str());
    EXPECT_EQ(Text(a), u"x");
    EXPECT_EQ(Text(b), u"xy");

    // LowerCase: in place on a sole owner, a copy when shared.
    String c(u"ABC");
    const u16char *before = c.c_str();
    c.LowerCase();
    EXPECT_EQ(c.c_str(), before);
    EXPECT_EQ(Text(c), u"abc");
    String d(u"ABC");
    String e = d;
    e.LowerCase();
    EXPECT_NE(d.c_str(), e.c_str());
    EXPECT_EQ(Text(d), u"ABC");
    EXPECT_EQ(Text(e), u"abc");

    // Replace likewise; the replacement comes first.
    String f(u"a/b/c");
    String g = f;
    g.Replace(u' ', u'/');
    EXPECT_EQ(Text(g), u"a b c");
    EXPECT_EQ(Text(f), u"a/b/c");
    before = f.c_str();
    f.Replace(u'-', u'/');
    EXPECT_EQ(f.c_str(), before);
    EXPECT_EQ(Text(f), u"a-b-c");

    // Delete and assignment.
    String h(u"abcdef");
    String i;
    i = h;
    EXPECT_EQ(i.c_str(), h.c_str());
    i.Delete(0, 2);
    EXPECT_EQ(Text(h), u"abcdef");
    EXPECT_EQ(Text(i), u"cdef");

    // A shared text of length 0: the appending sharer gets its own, the other stays empty.
    String empty(u"");
    empty.SetCopy(u"", -1);
    String sharer = empty;
    sharer.Strcat(u"y");
    EXPECT_EQ(Text(sharer), u"y");
    EXPECT_EQ(empty.Length, 0);

    // Length of a copy after its source is gone (the copy holds its own reference).
    String *src = new String(u"hello");
    String copy(*src);
    delete src;
    EXPECT_EQ(copy.Length, 5);
    EXPECT_EQ(Text(copy), u"hello");

    // Move leaves the source empty and keeps the buffer.
    const u16char *buf = copy.c_str();
    String moved(std::move(copy));
    EXPECT_EQ(moved.c_str(), buf);
    EXPECT_EQ(copy.Length, 0);
    EXPECT_EQ(moved.Length, 5);   // the property is bound to its own String

    // Self-assignment keeps the text.
    String &self = moved;
    moved = self;
    EXPECT_EQ(Text(moved), u"hello");
    EXPECT_FALSE(moved.Clear() == false);   // last holder
    EXPECT_FALSE(moved.Clear());
}

TEST(String, EditsAndQueries)
{
    String s(u"abcdef");
    s.Delete(1, 100);
    EXPECT_EQ(Text(s), u"a");
    s = u"abcdef";
    s.Delete(0, 6);
    EXPECT_EQ(s.Length, 0);
    EXPECT_EQ(s.c_str(), nullptr);
    s = u"abcdef";
    s.Delete(6, 1);
    EXPECT_EQ(Text(s), u"abcdef");
    s.Delete(2, 2);
    EXPECT_EQ(Text(s), u"abef");
    s.Delete(1, INT_MAX);   // no overflow: cut at pos
    EXPECT_EQ(Text(s), u"a");

    String lines(u"a\nb");
    EXPECT_EQ(lines.StatLine(), 2);
    lines.Strcat(u"\n");
    EXPECT_EQ(lines.StatLine(), 2);
    EXPECT_EQ(String(u"\n").StatLine(), 1);
    EXPECT_EQ(String().StatLine(), 0);

    String t(u"xabyab");
    EXPECT_TRUE(t.ClearString(String(u"ab")));
    EXPECT_EQ(Text(t), u"xy");
    EXPECT_FALSE(t.ClearString(String()));
    String nest(u"aabb");   // searched again from the start after each removal
    EXPECT_TRUE(nest.ClearString(String(u"ab")));
    EXPECT_EQ(nest.Length, 0);
    String same(u"q");
    EXPECT_TRUE(same.ClearString(same));
    EXPECT_EQ(same.Length, 0);

    String f(u"hello world");
    EXPECT_EQ(f.FindChar(u'o'), 4);
    EXPECT_EQ(f.FindChar(5, u'o'), 2);   // a distance from start
    EXPECT_EQ(f.FindChar(11, u'o'), -1);
    EXPECT_EQ(f.FindRightChar(u'o'), 7);
    EXPECT_EQ(f.FindChar(u'z'), -1);
    EXPECT_EQ(String().FindChar(u'a'), -1);
    EXPECT_EQ(String().FindRightChar(u'a'), -1);
    EXPECT_EQ(f.FindString(String(u"world")), 6);
    EXPECT_EQ(f.FindString(String(u"worlds")), -1);
    EXPECT_EQ(f.FindString(String()), -1);
    EXPECT_EQ(f.StatChar(u'l'), 3);
    EXPECT_EQ(f.GetChar(0), u'h');
    EXPECT_EQ(f.GetChar(11), 0);
    EXPECT_EQ(f.GetChar(-1), 0);
    EXPECT_EQ(String().GetChar(0), 0);

    String u(u"a");
    u += String(u"b");
    u += u"c";
    EXPECT_EQ(Text(u), u"abc");
    EXPECT_EQ(Text(u"<" + u), u"<abc");
    EXPECT_EQ(Text(u + u">"), u"abc>");
    EXPECT_EQ(Text(u + u), u"abcabc");
    u.Strcat(nullptr);
    u.Strcat(u"");
    u.Strcat(String());
    EXPECT_EQ(Text(u), u"abc");
    u.Strcat(String(u"d"));
    EXPECT_EQ(Text(u), u"abcd");
    u.Delete(3, 1);
    EXPECT_EQ(Text(u), u"abc");

    u16char *copy = u.CreateCopy();
    EXPECT_EQ(std::u16string(copy), u"abc");
    EXPECT_NE(copy, u.c_str());
    delete[] copy;
    EXPECT_EQ(String().CreateCopy(), nullptr);

    String shared(u"abc");
    String other(shared);
    other.Unlink();
    EXPECT_NE(other.c_str(), shared.c_str());
    EXPECT_EQ(Text(other), u"abc");
}

TEST(String, AliasingAndAdoption)
{
    String s(u"abc");
    s.Strcat(s.c_str());   // appending itself
    EXPECT_EQ(Text(s), u"abcabc");
    String shared = s;
    shared.Strcat(shared.c_str());
    EXPECT_EQ(Text(shared), u"abcabcabcabc");
    EXPECT_EQ(Text(s), u"abcabc");

    s = u"hello";
    s.Set(s.c_str() + 1, -1);   // a tail of its own buffer (sole owner)
    EXPECT_EQ(Text(s), u"ello");
    s.Set(s.c_str(), 2);        // a prefix of its own buffer truncates
    EXPECT_EQ(Text(s), u"el");
    const u16char *before = s.c_str();
    s.Set(s.c_str(), -1);       // the whole own buffer: nothing to do
    EXPECT_EQ(s.c_str(), before);
    s = s.c_str();
    EXPECT_EQ(Text(s), u"el");

    u16char *buf = new u16char[4]{u'x', u'y', u'z', 0};
    s.SetAdopt(buf, 3);
    EXPECT_EQ(s.c_str(), buf);
    s.SetAdopt(new u16char[1]{0}, 0);   // a zero-length text: freed, no instance
    EXPECT_EQ(s.c_str(), nullptr);
    EXPECT_EQ(s.Length, 0);
}

TEST(String, SprintfProducesTheWholeText)
{
    String s;
    s.Sprintf(u"%s=%d", u"x", 5);
    EXPECT_EQ(Text(s), u"x=5");
    s.CatSprintf(u",%04d", 7);
    EXPECT_EQ(Text(s), u"x=5,0007");

    std::u16string big(5000, u'字');
    s.Sprintf(u"%s!", big.c_str());
    EXPECT_EQ(s.Length, 5001);
    EXPECT_EQ(Text(s), big + u"!");
    s.CatSprintf(u"%s", big.c_str());
    EXPECT_EQ(s.Length, 10001);
}

TEST(String, CodePages)
{
    const char gbk[] = "\xD6\xD0\xCE\xC4";   // 中文 in code page 936
    EXPECT_EQ(Text(String(936u, gbk, 4)), u"中文");
    EXPECT_EQ(Text(String(936u, gbk, -1)), u"中文");
    EXPECT_EQ(Text(String(gbk)), u"中文");   // code page 0 is 936 by default
    EXPECT_EQ(Text(String(936u, "abc", 3)), u"abc");
    EXPECT_EQ(Text(String(936u, "abc", -1)), u"abc");
    const char withNul[] = {'a', 0, 'b'};
    EXPECT_EQ(String(936u, withNul, 3).Length, 3);   // an explicit length keeps every unit
    EXPECT_EQ(Text(String(65001u, "中文", -1)), u"中文");
    EXPECT_EQ(Text(String(1252u, "\xE9", 1)), u"é");

    // Invalid bytes convert without failing.
    String bad(936u, "a\xFF\xFF" "b", 4);
    EXPECT_GE(bad.Length, 2);
    EXPECT_EQ(bad.GetChar(0), u'a');
    EXPECT_EQ(bad.GetChar(bad.Length - 1), u'b');

    // Round trip through ToMultiByte: the count includes the terminator.
    char *out = nullptr;
    EXPECT_EQ(String(u"中文").ToMultiByte(&out, 936), 5);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(std::memcmp(out, "\xD6\xD0\xCE\xC4", 5), 0);
    EXPECT_EQ(Text(String(936u, out, -1)), u"中文");
    delete[] out;
    out = reinterpret_cast<char *>(1);
    EXPECT_EQ(String().ToMultiByte(&out, 936), 0);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(String(u"x").ToMultiByte(nullptr, 936), 0);
    out = reinterpret_cast<char *>(1);
    EXPECT_EQ(String(u"x").ToMultiByte(&out, 12345), 0);   // failed conversion: nothing to free
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(String(u"中").ToMultiByte(&out, 1252), 2);    // unmappable: the default character
    EXPECT_STREQ(out, "?");
    delete[] out;

    u16char wide[8];
    EXPECT_TRUE(hgl::MultiByteToWide(936, wide, 7, gbk, 4));
    EXPECT_EQ(std::u16string(wide), u"中文");
    EXPECT_TRUE(hgl::MultiByteToWide(936, wide, 1, gbk, -1));   // cut to the room given
    EXPECT_EQ(std::u16string(wide), u"中");
    EXPECT_FALSE(hgl::MultiByteToWide(12345, wide, 7, gbk, 4));
}

TEST(String, InvalidCodePageIsLoggedAndChangesNothing)
{
    hgl::test::LogCapture log;
    String s(u"keep");
    s.SetMultiByte(12345, "abc", 3);
    EXPECT_EQ(Text(s), u"keep");
    EXPECT_EQ(log.Errors(), (std::vector<std::u16string>{u"无效的代码页<12345>"}));

    String fresh(12345u, "abc", -1);
    EXPECT_EQ(fresh.Length, 0);
    EXPECT_EQ(log.CountOf(u"无效的代码页<12345>"), 2u);

    log.Clear();
    s.SetMultiByte(0, "", -1);        // empty text: nothing at all
    s.SetMultiByte(936, nullptr, -1);
    s.SetMultiByte(0, "abc", 0);
    EXPECT_EQ(Text(s), u"keep");
    EXPECT_EQ(log.Count(), 0u);
}

TEST(String, SharedAcrossThreads)
{
    // Copies made and dropped on several threads at once must leave the count right
    // (the sanitizer build would report a double free or a leak otherwise).
    String shared(u"shared text");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&shared] {
            for (int i = 0; i < 20000; ++i) {
                String copy(shared);
                String again = copy;
                if (again.Length != 11) std::abort();
            }
        });
    for (auto &th : threads) th.join();
    EXPECT_EQ(Text(shared), u"shared text");
    EXPECT_TRUE(shared.Clear());
}
