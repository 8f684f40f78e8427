// The one-token recogniser and the token reader at their boundaries: lengths of
// unterminated constants, heredoc and comment limits, the reverse keyword lookup,
// the reader's end handling and the unescaping of string constants.
#include "core/String.h"
#include "script/Tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using angle_script::asCTokenizer;
using hgl::u16char;
using hgl::uint32;

namespace
{
// Type and length of the first token of a text.
std::pair<int, uint32> First(std::u16string_view text)
{
    asCTokenizer t;
    uint32 len = 0;
    const int type = t.GetToken(text.data(), uint32(text.size()), &len);
    return {type, len};
}

// Every token of a text, white space and comments included, as (type, text).
std::vector<std::pair<int, std::u16string>> All(std::u16string_view text)
{
    std::vector<std::pair<int, std::u16string>> out;
    asCTokenizer t;
    while (!text.empty())
    {
        uint32 len = 0;
        const int type = t.GetToken(text.data(), uint32(text.size()), &len);
        EXPECT_GE(len, 1u);
        EXPECT_LE(len, text.size());
        if (len < 1 || len > text.size()) break;
        out.emplace_back(type, std::u16string(text.substr(0, len)));
        text.remove_prefix(len);
    }
    return out;
}

using P = std::pair<int, uint32>;
} // namespace

TEST(TokenizerEdge, UnterminatedConstantsAndLimits)
{
    // A character constant cut by a line feed or the end: one less than the distance
    // to it, never below 1.
    EXPECT_EQ(First(u"'ab\ncd"), P(11, 2));
    EXPECT_EQ(First(u"'abc"), P(11, 3));
    EXPECT_EQ(First(u"'a"), P(11, 1));
    EXPECT_EQ(First(u"'"), P(11, 1));
    EXPECT_EQ(First(u"'\n"), P(11, 1));
    EXPECT_EQ(First(u"'a'"), P(6, 3));
    EXPECT_EQ(First(u"'\\''"), P(6, 4));
    // A string cut by a line feed stops before it; at the end it runs to the end.
    EXPECT_EQ(First(u"\"ab\ncd\""), P(11, 3));
    EXPECT_EQ(First(u"\"ab"), P(11, 3));
    EXPECT_EQ(First(u"\""), P(11, 1));
    EXPECT_EQ(First(u"\"a\\\\\"b"), P(9, 5));
    EXPECT_EQ(First(u"\"a\\\"b\""), P(9, 6));
    EXPECT_EQ(First(u"\"a\\\\\\\"\""), P(9, 7));

    // Heredoc: needs six units in all; ends at the first triple quote from unit 4 on.
    EXPECT_EQ(First(u"\"\"\"\"\"\""), P(10, 6));
    EXPECT_EQ(First(u"\"\"\"\"\"\"\"\""), P(10, 6));
    EXPECT_EQ(First(u"\"\"\"a\\\"\"\"x"), P(10, 8));
    EXPECT_EQ(First(u"\"\"\"abcd"), P(10, 7));
    EXPECT_EQ(First(u"\"\"\"ab"), P(9, 2));
    // Limited by the length handed in, not by the terminator.
    {
        asCTokenizer t;
        uint32 len = 0;
        EXPECT_EQ(t.GetToken(u"\"\"\"\"\"\"", 5, &len), 9);
        EXPECT_EQ(len, 2u);
        EXPECT_EQ(t.GetToken(u"abcdef", 2, &len), 5);
        EXPECT_EQ(len, 2u);
        EXPECT_EQ(t.GetToken(u"//x\ny", 3, &len), 3);
        EXPECT_EQ(len, 3u);
        // The length comes back through a pointer or a reference, of any usual width.
        size_t wide = 0;
        int narrow = 0;
        EXPECT_EQ(t.GetToken(u"abc+", 4, &wide), 5);
        EXPECT_EQ(wide, 3u);
        EXPECT_EQ(t.GetToken(u"+=1", 3, narrow), 19);
        EXPECT_EQ(narrow, 2);
        EXPECT_EQ(t.GetToken(u"1.5f", 4, len), 7);
        EXPECT_EQ(len, 4u);
        EXPECT_EQ(t.GetToken(u"x", 1, nullptr), 5);
    }

    // Comments: the closing pair must start at or after the third unit.
    EXPECT_EQ(First(u"/*/"), P(4, 3));
    EXPECT_EQ(First(u"/**/x"), P(4, 4));
    EXPECT_EQ(First(u"/* a */ b"), P(4, 7));
    EXPECT_EQ(First(u"//a\nb"), P(3, 4));
    EXPECT_EQ(First(u"// a"), P(3, 4));
    EXPECT_EQ(First(u"/"), P(16, 1));
    EXPECT_EQ(First(u"/="), P(22, 2));

    // Numbers.
    EXPECT_EQ(First(u"0x"), P(12, 2));
    EXPECT_EQ(First(u"0xg"), P(12, 2));
    EXPECT_EQ(First(u"7xFFz"), P(12, 4));
    EXPECT_EQ(First(u"0Xaf09"), P(12, 6));
    EXPECT_EQ(First(u"0"), P(6, 1));
    EXPECT_EQ(First(u"123abc"), P(6, 3));
    EXPECT_EQ(First(u"1."), P(8, 2));
    EXPECT_EQ(First(u"1.f"), P(7, 3));
    EXPECT_EQ(First(u"1.5E+10F"), P(7, 8));
    EXPECT_EQ(First(u"1.5e-3"), P(8, 6));
    EXPECT_EQ(First(u"1.5.5"), P(8, 3));
    EXPECT_EQ(First(u"1f"), P(6, 1));

    // Identifiers: ASCII only, keywords read by the keyword recogniser.
    EXPECT_EQ(First(u"_a1"), P(5, 3));
    EXPECT_EQ(First(u"iffy"), P(5, 4));
    EXPECT_EQ(First(u"if("), P(57, 2));
    EXPECT_EQ(First(u"int32x"), P(5, 6));
    EXPECT_EQ(First(u"in"), P(93, 2));
    EXPECT_EQ(First(u"inout"), P(95, 5));
    EXPECT_EQ(First(u"a\u00E9"), P(5, 1));
    EXPECT_EQ(First(std::u16string(60, u'z')), P(5, 60));
    EXPECT_EQ(First(std::u16string(51, u'q')), P(5, 51));

    // Longest keyword prefix.
    EXPECT_EQ(First(u">>>="), P(29, 4));
    EXPECT_EQ(First(u">>>"), P(48, 3));
    EXPECT_EQ(First(u">>="), P(28, 3));
    EXPECT_EQ(First(u"!=="), P(50, 2));
    EXPECT_EQ(First(u"=>"), P(33, 1));
    EXPECT_EQ(First(u"<<=1"), P(27, 3));
    EXPECT_EQ(First(u"^^"), P(84, 2));
    EXPECT_EQ(First(u"&&&"), P(82, 2));

    // Unrecognised units.
    EXPECT_EQ(First(u"\u3000"), P(0, 1));
    EXPECT_EQ(First(u"#"), P(0, 1));
    EXPECT_EQ(First(u"$x"), P(0, 1));
    EXPECT_EQ(First(u"\\"), P(0, 1));
    EXPECT_EQ(First(std::u16string(1, u'\0')), P(0, 1));

    // White space: exactly the five units, as one run.
    EXPECT_EQ(First(u" \t\r\n\uFEFFx"), P(2, 5));
    EXPECT_EQ(First(u"\v"), P(0, 1));
    EXPECT_EQ(First(u"\u00A0"), P(0, 1));

    // A whole text cut into tokens: every unit belongs to exactly one token (the
    // cut character constant leaves its letter to the next token).
    const std::u16string text = u"func a(){x=1.5e+3f;'c' \"s\\\"\" \"\"\"h\"\"\" /*c*/ //d\n0x1G \u3000 'u\n\"v";
    std::u16string joined;
    std::vector<int> types;
    for (const auto &[type, tok] : All(text))
    {
        joined += tok;
        types.push_back(type);
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(types, (std::vector<int>{65, 2, 5, 38, 39, 36, 5, 33, 7, 34, 6, 2, 9, 2, 10, 2, 4, 2, 3, 12, 5,
                                       2, 0, 2, 11, 5, 2, 11}));
}

TEST(TokenizerEdge, KeywordTableAndReverseLookup)
{
    const std::vector<std::pair<std::u16string, int>> table = {
        {u"+", 13}, {u"-", 14}, {u"*", 15}, {u"/", 16}, {u"%", 17}, {u"=", 33}, {u".", 32}, {u"+=", 19},
        {u"-=", 20}, {u"*=", 21}, {u"/=", 22}, {u"%=", 23}, {u"|=", 24}, {u"&=", 25}, {u"^=", 26},
        {u"<<=", 27}, {u">>=", 28}, {u">>>=", 29}, {u"|", 43}, {u"~", 44}, {u"^", 45}, {u"<<", 46},
        {u">>", 47}, {u">>>", 48}, {u";", 34}, {u",", 35}, {u"{", 36}, {u"}", 37}, {u"(", 38}, {u")", 39},
        {u"[", 40}, {u"]", 41}, {u"?", 55}, {u":", 56}, {u"==", 49}, {u"!=", 50}, {u"<", 51}, {u">", 52},
        {u"<=", 53}, {u">=", 54}, {u"++", 30}, {u"--", 31}, {u"&", 42}, {u"!", 81}, {u"||", 83},
        {u"&&", 82}, {u"^^", 84}, {u"@", 18}, {u"and", 82}, {u"bool", 61}, {u"break", 85}, {u"cast", 98},
        {u"const", 87}, {u"continue", 86}, {u"do", 88}, {u"double", 89}, {u"else", 58}, {u"false", 79},
        {u"float", 76}, {u"for", 59}, {u"goto", 63}, {u"GOTO", 63}, {u"if", 57}, {u"in", 93},
        {u"inout", 95}, {u"import", 62}, {u"enum", 64}, {u"func", 65}, {u"string", 66}, {u"int", 67},
        {u"int8", 68}, {u"int16", 69}, {u"int32", 67}, {u"int64", 70}, {u"interface", 71}, {u"not", 81},
        {u"null", 96}, {u"or", 83}, {u"out", 94}, {u"return", 80}, {u"true", 78}, {u"void", 77},
        {u"while", 60}, {u"uint", 72}, {u"uint8", 73}, {u"uint16", 74}, {u"uint32", 72}, {u"uint64", 75},
        {u"switch", 90}, {u"class", 97}, {u"case", 91}, {u"CASE", 91}, {u"default", 92}, {u"xor", 84}};
    ASSERT_EQ(table.size(), 94u);
    ASSERT_EQ(angle_script::numTokenWords, 94);
    for (size_t i = 0; i < table.size(); ++i)
    {
        EXPECT_EQ(std::u16string(angle_script::tokenWords[i].word), table[i].first) << i;
        EXPECT_EQ(int(angle_script::tokenWords[i].tokenType), table[i].second) << i;
        // Each text alone reads as its own id at its full length.
        EXPECT_EQ(First(table[i].first), P(table[i].second, uint32(table[i].first.size())))
            << hgl::String(table[i].first.c_str()).ToUTF8();
    }
    // The reverse lookup gives the first entry of an id.
    const std::vector<std::pair<int, std::u16string>> first = {
        {13, u"+"}, {33, u"="}, {67, u"int"}, {72, u"uint"}, {63, u"goto"}, {91, u"case"},
        {82, u"&&"}, {83, u"||"}, {81, u"!"}, {84, u"^^"}, {98, u"cast"}, {18, u"@"}, {29, u">>>="}};
    for (const auto &[id, text] : first)
    {
        const u16char *def = asCTokenizer::GetDefinition(id);
        ASSERT_NE(def, nullptr) << id;
        EXPECT_EQ(std::u16string(def), text) << id;
    }
    for (int id = -1; id <= 12; ++id) EXPECT_EQ(asCTokenizer::GetDefinition(id), nullptr) << id;
    EXPECT_EQ(asCTokenizer::GetDefinition(99), nullptr);
    EXPECT_EQ(asCTokenizer::GetDefinition(1000), nullptr);
    for (int id = 13; id <= 98; ++id) EXPECT_NE(asCTokenizer::GetDefinition(id), nullptr) << id;
    asCTokenizer t;
    EXPECT_EQ(std::u16string(t.GetDefinition(66)), u"string");
}

TEST(TokenizerEdge, ReaderEndsPeeksAndSkips)
{
    hgl::String out(u"before");
    {
        hgl::DevilParse p(nullptr, u"");
        EXPECT_EQ(p.GetToken(out), 1);
        EXPECT_EQ(out.ToStdString(), u"before");
        EXPECT_EQ(p.PeekToken(out), 1);
        EXPECT_FALSE(p.SkipTo(34, out));
        EXPECT_EQ(out.ToStdString(), u"before");
    }
    {
        // Only white space and comments: the end at once, out kept.
        hgl::DevilParse p(nullptr, u"  // c\n /* d */ \uFEFF");
        EXPECT_EQ(p.GetToken(out), 1);
        EXPECT_EQ(out.ToStdString(), u"before");
    }
    {
        // The length handed in limits the reader; -1 measures the text.
        hgl::DevilParse p(nullptr, u"abc def", 5);
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_EQ(out.ToStdString(), u"abc");
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_EQ(out.ToStdString(), u"d");
        EXPECT_EQ(p.GetToken(out), 1);
        EXPECT_EQ(out.ToStdString(), u"d");
    }
    {
        hgl::DevilParse p(nullptr, u"f(\"a b\", 1.5f) ; x");
        EXPECT_EQ(p.PeekToken(out), 5);
        EXPECT_EQ(out.ToStdString(), u"f");
        EXPECT_EQ(p.PeekToken(out), 5);
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_EQ(p.GetToken(out), 38);
        EXPECT_EQ(p.GetToken(out), 9);
        EXPECT_EQ(out.ToStdString(), u"\"a b\"");
        EXPECT_TRUE(p.SkipTo(39, out));
        EXPECT_EQ(out.ToStdString(), u")");
        EXPECT_EQ(p.GetToken(out), 34);
        // Skipping to a type that never comes ends at the end with false.
        EXPECT_FALSE(p.SkipTo(36, out));
        EXPECT_EQ(p.GetToken(out), 1);
    }
    {
        // An unrecognised character reads as the end and is consumed; SkipTo stops at it.
        hgl::DevilParse p(nullptr, u"a # b ; c");
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_FALSE(p.SkipTo(34, out));
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_EQ(out.ToStdString(), u"b");
        EXPECT_TRUE(p.SkipTo(34, out));
        EXPECT_EQ(p.GetToken(out), 5);
        EXPECT_EQ(out.ToStdString(), u"c");
    }
    {
        // Unterminated strings and heredocs are handed out as tokens.
        hgl::DevilParse p(nullptr, u"\"ab\n\"\"\"x\"\"\"");
        EXPECT_EQ(p.GetToken(out), 11);
        EXPECT_EQ(out.ToStdString(), u"\"ab");
        EXPECT_EQ(p.GetToken(out), 10);
        EXPECT_EQ(out.ToStdString(), u"\"\"\"x\"\"\"");
        EXPECT_EQ(p.GetToken(out), 1);
    }
}

TEST(TokenizerEdge, Unescape)
{
    hgl::String out;
    hgl::UnescapeString(out, u"\\t\\q\\\\", 6);
    EXPECT_EQ(out.ToStdString(), u"\t\\q\\");
    hgl::UnescapeString(out, u"\\n\\r\\\"\\'x", 9);
    EXPECT_EQ(out.ToStdString(), u"\n\r\"'x");
    hgl::UnescapeString(out, u"a\\", 2);
    EXPECT_EQ(out.ToStdString(), u"a\\");
    hgl::UnescapeString(out, u"\\x41\\0", 6);
    EXPECT_EQ(out.ToStdString(), u"\\x41\\0");
    // Only the given length is read.
    hgl::UnescapeString(out, u"ab\\tc", 3);
    EXPECT_EQ(out.ToStdString(), u"ab\\");
    hgl::UnescapeString(out, u"abc", 0);
    EXPECT_EQ(out.ToStdString(), u"");
    hgl::UnescapeString(out, u"abc", -1);
    EXPECT_EQ(out.ToStdString(), u"");
    // The value is NUL-terminated: a NUL unit inside the constant ends it.
    const u16char with_nul[] = {u'a', u'\\', u'n', 0, u'b'};
    hgl::UnescapeString(out, with_nul, 5);
    EXPECT_EQ(out.ToStdString(), u"a\n");
    std::u16string std_out;
    hgl::UnescapeString(std_out, with_nul, 5);
    EXPECT_EQ(std_out, u"a\n");
    // Two backslashes are one pair: the t after them is a plain character.
    hgl::UnescapeString(out, u"\\\\\\\\t", 5);
    EXPECT_EQ(out.ToStdString(), u"\\\\t");
}
