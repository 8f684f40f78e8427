#include "core/String.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using hgl::PrivateString;
using hgl::String;
using hgl::u16char;

namespace
{
std::u16string Text(const String &s)
{
    return s.c_str() ? std::u16string(s.c_str(), s.Length) : std::u16string();
}
const u16char *const kNull = nullptr;
} // namespace

TEST(String, EmptyFormsAndComparison)
{
    String none, blank(u""), assigned;
    assigned = u""; // an instance of length 0
    for (const String *s : {&none, &blank, &assigned})
    {
        EXPECT_EQ(s->Length, 0);
        EXPECT_EQ(s->c_str(), nullptr);
        EXPECT_EQ(s->GetChar(0), 0);
        EXPECT_EQ(s->FindChar(u'a'), -1);
        EXPECT_EQ(s->FindRightChar(u'a'), -1);
        EXPECT_EQ(s->FindString(String(u"a")), -1);
        EXPECT_EQ(s->StatChar(u'a'), 0);
        EXPECT_EQ(s->StatLine(), 0);
        EXPECT_EQ(s->CreateCopy(), nullptr);
        EXPECT_EQ(s->Comp(u""), -1); // kept as it always was: test emptiness with Length
        EXPECT_EQ(s->Comp(kNull), 0);
        EXPECT_EQ(s->Comp(none), 0);
        EXPECT_TRUE(*s == none && *s == u"");
    }
    EXPECT_EQ(String(u"x", 0).Length, 0);
    EXPECT_EQ(String(kNull).Length, 0);
    EXPECT_EQ(String(nullptr).c_str(), nullptr); // a bare nullptr could mean either text type

    String abc(u"abc");
    const u16char withZero[] = {u'a', 0, u'b'}, withZero2[] = {u'a', 0, u'c'};
    const std::pair<int, int> comps[] = {
        // {got, want}
        {abc.Comp(kNull), 1},
        {abc.Comp(u""), 1},
        {abc.Comp(assigned), 1},
        {none.Comp(abc), -1},
        {abc.Comp(u"abc"), 0},
        {abc.Comp(u"abcd"), -'d'},
        {abc.Comp(String(u"abd")), -1},
        {String(u"ab").Comp(abc), -99},
        {abc.Comp(String(u"ab")), 99},
        {String(u"\x9000").Comp(String(u"z")), 0x9000 - 'z'},
        {String(withZero, 3).Comp(String(withZero2, 3)), -1}}; // embedded zero units compare too
    for (size_t i = 0; i < std::size(comps); ++i)
        EXPECT_EQ(comps[i].first, comps[i].second) << "row " << i;
    EXPECT_TRUE(abc == u"abc");
    EXPECT_TRUE(abc != u"ab");
    EXPECT_TRUE(String(u"ab") < abc);
}

// Every text type reaches a look-up by name as a view of the text where it lies.
TEST(String, ViewsLookAtTheTextWhereItLies)
{
    const String abc(u"abc"), none;
    const std::u16string standard(u"abc");
    const u16char withZero[] = {u'a', 0, u'b'};
    const hgl::StringView fromString = abc, fromStd = standard, fromText = u"abc";
    EXPECT_EQ(fromString.data(), abc.c_str());
    EXPECT_EQ(fromStd.data(), standard.data());
    EXPECT_EQ(fromString.size(), 3u);
    EXPECT_TRUE(fromString == fromStd && fromStd == fromText);
    for (const hgl::StringView empty :
         {hgl::StringView(none), hgl::StringView(kNull), hgl::StringView(u""), hgl::StringView(kNull, 5)})
        EXPECT_TRUE(empty.empty());
    EXPECT_EQ(hgl::StringView(String(withZero, 3)).size(), 3u); // zero units inside stay in view
    EXPECT_NE(hgl::StringView(String(withZero, 3)), hgl::StringView(u"a"));
    EXPECT_EQ(std::hash<String>{}(abc), std::hash<std::u16string_view>{}(u"abc"));
}

TEST(String, CopyOnWriteIsVisibleThroughPointers)
{
    struct Edit
    {
        const char *name;
        void (*apply)(String &);
        const char16_t *want;
        bool inPlace; // on a sole owner the buffer is edited where it is
    };
    const Edit edits[] = {
        {"Strcat", [](String &s) { s.Strcat(u"y"); }, u"a/Bcy", false},
        {"+=", [](String &s) { s += String(u"y"); }, u"a/Bcy", false},
        {"Delete", [](String &s) { s.Delete(0, 2); }, u"Bc", true},
        {"LowerCase", [](String &s) { s.LowerCase(); }, u"a/bc", true},
        {"Replace", [](String &s) { s.Replace(u'-', u'/'); }, u"a-Bc", true}, // the replacement comes first
        {"ClearString", [](String &s) { s.ClearString(String(u"/B")); }, u"ac", false},
        {"Sprintf", [](String &s) { s.Sprintf(u"%s<%d>", u"名字", 42); }, u"名字<42>", false},
        {"CatSprintf", [](String &s) { s.CatSprintf(u"%d", 5); }, u"a/Bc5", false},
        {"SetAdopt",
         [](String &s) {
             s.SetAdopt(new u16char[3]{u'n', u'w', 0}, 2);
         },
         u"nw", false},
        {"Unlink", [](String &s) { s.Unlink(); }, u"a/Bc", false},
    };
    for (const Edit &e : edits)
    {
        String a(u"a/Bc");
        String b(a);
        ASSERT_EQ(a.c_str(), b.c_str()) << e.name; // a copy only adds a reference
        e.apply(b);
        EXPECT_EQ(Text(b), e.want) << e.name;
        EXPECT_EQ(Text(a), u"a/Bc") << e.name;
        EXPECT_NE(a.c_str(), b.c_str()) << e.name;

        String sole(u"a/Bc");
        const u16char *before = sole.c_str();
        e.apply(sole);
        EXPECT_EQ(Text(sole), e.want) << e.name;
        if (e.inPlace)
        {
            EXPECT_EQ(sole.c_str(), before) << e.name;
        }
    }
}

TEST(String, EditsAndQueries)
{
    const struct
    {
        int pos, count;
        const char16_t *want;
    } deletes[] = {{1, 100, u"a"},      {0, 6, u""},       {6, 1, u"abcdef"},
                   {100, 1, u"abcdef"}, {0, 0, u"abcdef"}, {-1, 2, u"abcdef"},
                   {2, 2, u"abef"},     {4, 2, u"abcd"},   {1, INT_MAX, u"a"}}; // no overflow: cut at pos
    for (const auto &d : deletes)
    {
        String s(u"abcdef");
        s.Delete(d.pos, d.count);
        EXPECT_EQ(Text(s), d.want) << d.pos << "," << d.count;
        if (s.Length == 0)
        {
            EXPECT_EQ(s.c_str(), nullptr);
        }
    }
    String none;
    none.Delete(0, 1);
    none.LowerCase();
    none.Replace(u'a', u'b');
    none.Unlink();
    EXPECT_EQ(none.c_str(), nullptr);

    const std::pair<const char16_t *, int> lineCounts[] = {
        {u"a\nb", 2}, {u"a\nb\n", 2}, {u"\n", 1}, {u"\n\n", 2}, {u"abc", 1}};
    for (const auto &[text, lines] : lineCounts)
        EXPECT_EQ(String(text).StatLine(), lines) << hgl::test::U8(text);

    String t(u"xabyab");
    EXPECT_TRUE(t.ClearString(String(u"ab")));
    EXPECT_EQ(Text(t), u"xy");
    EXPECT_FALSE(t.ClearString(String()));
    EXPECT_FALSE(t.ClearString(String(u"zz")));
    EXPECT_FALSE(String().ClearString(String(u"a")));
    String nest(u"aabb"); // searched again from the start after each removal
    EXPECT_TRUE(nest.ClearString(String(u"ab")));
    EXPECT_EQ(nest.c_str(), nullptr);
    String same(u"q");
    EXPECT_TRUE(same.ClearString(same));
    EXPECT_EQ(same.Length, 0);

    // {got, want}; FindChar(start, ch) gives a distance from start.
    String f(u"hello world");
    const std::pair<int, int> queries[] = {{f.FindChar(u'o'), 4},
                                           {f.FindChar(5, u'o'), 2},
                                           {f.FindChar(4, u'o'), 0},
                                           {f.FindChar(11, u'o'), -1},
                                           {f.FindChar(u'z'), -1},
                                           {f.FindRightChar(u'o'), 7},
                                           {f.FindString(String(u"world")), 6},
                                           {f.FindString(String(u"worlds")), -1},
                                           {f.FindString(String()), -1},
                                           {f.StatChar(u'l'), 3},
                                           {f.GetChar(0), u'h'},
                                           {f.GetChar(11), 0},
                                           {f.GetChar(-1), 0}};
    for (size_t i = 0; i < std::size(queries); ++i)
        EXPECT_EQ(queries[i].first, queries[i].second) << "query " << i;

    String u(u"a");
    u += String(u"b");
    u += u"c";
    u.Strcat(nullptr);
    u.Strcat(u"");
    u.Strcat(String());
    EXPECT_EQ(Text(u), u"abc");
    EXPECT_EQ(Text(u"<" + u), u"<abc");
    EXPECT_EQ(Text(u + u">"), u"abc>");
    EXPECT_EQ(Text(u + u), u"abcabc");
    EXPECT_EQ(Text(kNull + String(u"cd")), u"cd"); // a null text counts as empty
    EXPECT_EQ((kNull + String()).Length, 0);

    u16char *copy = u.CreateCopy();
    EXPECT_EQ(std::u16string(copy), u"abc");
    EXPECT_NE(copy, u.c_str());
    delete[] copy;
}

TEST(String, SettersAliasingAndAdoption)
{
    String a(u"abc");
    String b;
    b.Set(a);
    EXPECT_EQ(b.c_str(), a.c_str());
    b.Set(a); // already shared: nothing
    EXPECT_EQ(b.c_str(), a.c_str());
    (b = a) = u"zz"; // assignment returns the String
    EXPECT_EQ(Text(b), u"zz");
    EXPECT_EQ(Text(a), u"abc");
    b.Set(u"hello", 3);
    EXPECT_EQ(Text(b), u"hel");
    b.SetCopy(u"world", 2);
    EXPECT_EQ(Text(b), u"wo");
    b = kNull;
    EXPECT_EQ(b.c_str(), nullptr);

    String s(u"abc");
    s.Strcat(s.c_str()); // appending itself
    EXPECT_EQ(Text(s), u"abcabc");
    String shared = s;
    shared.Strcat(shared.c_str());
    EXPECT_EQ(Text(shared), u"abcabcabcabc");
    EXPECT_EQ(Text(s), u"abcabc");

    s = u"hello";
    s.Set(s.c_str() + 1, -1); // a tail of its own buffer (sole owner)
    EXPECT_EQ(Text(s), u"ello");
    s.Set(s.c_str(), 2); // a prefix of its own buffer truncates
    EXPECT_EQ(Text(s), u"el");
    const u16char *before = s.c_str();
    s.Set(s.c_str(), -1); // the whole own buffer: nothing to do
    EXPECT_EQ(s.c_str(), before);
    s = s.c_str();
    String &self = s;
    s = self;
    EXPECT_EQ(Text(s), u"el");

    u16char *buf = new u16char[4]{u'x', u'y', u'z', 0};
    s.SetAdopt(buf, 3);
    EXPECT_EQ(s.c_str(), buf);
    s.SetAdopt(new u16char[1]{0}, 0); // a zero-length text: freed, no instance
    EXPECT_EQ(s.c_str(), nullptr);
}

TEST(String, SprintfProducesTheWholeText)
{
    String s;
    s.CatSprintf(u"%s", u"x"); // on a String without instance
    EXPECT_EQ(Text(s), u"x");
    s.Sprintf(u"%s=%d", kNull, 5);
    EXPECT_EQ(Text(s), u"(null)=5");
    s.CatSprintf(u",%04d", 7);
    EXPECT_EQ(Text(s), u"(null)=5,0007");
    s.Sprintf(u"");
    EXPECT_EQ(s.Length, 0);

    std::u16string big(5000, u'字');
    s.Sprintf(u"%s!", big.c_str());
    s.CatSprintf(u"%s", big.c_str());
    EXPECT_EQ(Text(s), big + u"!" + big);
}
