// The one-token recogniser, the token reader and string unescaping.
#include "core/String.h"
#include "script/DevilEngine.h"
#include "script/Tokenizer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace angle_script;
using hgl::DevilParse;
using hgl::u16char;
using hgl::uint32;

namespace
{
struct Tok
{
    int type;
    std::u16string text;
    bool operator==(const Tok &o) const { return type == o.type && text == o.text; }
};

std::ostream &operator<<(std::ostream &os, const Tok &t)
{
    os << t.type << ":";
    for (u16char c : t.text)
    {
        if (c >= 0x20 && c < 0x7F)
            os << char(c);
        else
            os << "\\u" << std::hex << int(c) << std::dec;
    }
    return os;
}

// Every raw token (white space and comments included) of a text, as the recogniser sees it.
std::vector<Tok> RawTokens(std::u16string_view text)
{
    std::vector<Tok> out;
    asCTokenizer tz;
    size_t pos = 0;
    while (pos < text.size())
    {
        hgl::uint32 len = 0;
        const int t = tz.GetToken(text.data() + pos, hgl::uint32(text.size() - pos), &len);
        EXPECT_GE(len, 1u);
        EXPECT_LE(len, text.size() - pos);
        out.push_back({t, std::u16string(text.substr(pos, len))});
        pos += len;
    }
    return out;
}

// Type and length of the first token of a text.
std::pair<int, uint32> First(std::u16string_view text)
{
    asCTokenizer t;
    uint32 len = 0;
    const int type = t.GetToken(text.data(), uint32(text.size()), &len);
    return {type, len};
}
} // namespace

TEST(Tokenizer, TokenClasses)
{
    struct Case
    {
        std::u16string text;
        std::vector<Tok> tokens;
    };
    const std::vector<Case> cases = {
        {u"int32 x", {{67, u"int32"}, {2, u" "}, {5, u"x"}}},
        {u"GOTO", {{63, u"GOTO"}}},
        {u"and", {{82, u"and"}}},
        {u"iffy if", {{5, u"iffy"}, {2, u" "}, {57, u"if"}}},
        {u"inout in interface", {{95, u"inout"}, {2, u" "}, {93, u"in"}, {2, u" "}, {71, u"interface"}}},
        {u"a>>=b", {{5, u"a"}, {28, u">>="}, {5, u"b"}}},
        {u"x<=y", {{5, u"x"}, {53, u"<="}, {5, u"y"}}},
        {u"=>", {{33, u"="}, {52, u">"}}},
        {u">>>=>>>", {{29, u">>>="}, {48, u">>>"}}},
        {u"!==", {{50, u"!="}, {33, u"="}}},
        {u"1.5", {{8, u"1.5"}}},
        {u"1.5f", {{7, u"1.5f"}}},
        {u"1.5e-3", {{8, u"1.5e-3"}}},
        {u"1.5E+3f", {{7, u"1.5E+3f"}}},
        {u"1.5e", {{8, u"1.5e"}}},
        {u"1.", {{8, u"1."}}},
        {u"1e3", {{6, u"1"}, {5, u"e3"}}},
        {u"1f", {{6, u"1"}, {5, u"f"}}},
        {u".5", {{32, u"."}, {6, u"5"}}},
        {u"0XaBg", {{12, u"0XaB"}, {5, u"g"}}},
        {u"7xFF", {{12, u"7xFF"}}},
        {u"0x", {{12, u"0x"}}},
        {u"0xz", {{12, u"0x"}, {5, u"z"}}},
        {u"'a'", {{6, u"'a'"}}},
        {u"'\\''", {{6, u"'\\''"}}},
        {u"\"a\\\"b\"", {{9, u"\"a\\\"b\""}}},
        {u"\"a\\\\\"", {{9, u"\"a\\\\\""}}},
        {u"\"ab\ncd\"", {{11, u"\"ab"}, {2, u"\n"}, {5, u"cd"}, {11, u"\""}}},
        {u"\"abc", {{11, u"\"abc"}}},
        {u"\"\"\"\"\"\"", {{10, u"\"\"\"\"\"\""}}},
        {u"\"\"\"", {{9, u"\"\""}, {11, u"\""}}},
        {u"\"\"\"a\\\"\"\"b", {{10, u"\"\"\"a\\\"\"\""}, {5, u"b"}}},
        {u"\"\"\"abc", {{10, u"\"\"\"abc"}}},
        {u"\"\"\"x\ny\"\"\"", {{10, u"\"\"\"x\ny\"\"\""}}},
        // An unterminated character constant is one shorter than the distance to the break.
        {u"'ab\nx", {{11, u"'a"}, {5, u"b"}, {2, u"\n"}, {5, u"x"}}},
        {u"'", {{11, u"'"}}},
        {u"'a", {{11, u"'"}, {5, u"a"}}},
        {u"// c\nx", {{3, u"// c\n"}, {5, u"x"}}},
        {u"// last", {{3, u"// last"}}},
        {u"/* a */b", {{4, u"/* a */"}, {5, u"b"}}},
        {u"/*/ x */", {{4, u"/*/ x */"}}},
        {u"/**/", {{4, u"/**/"}}},
        {u"/* open", {{4, u"/* open"}}},
        {u"/", {{16, u"/"}}},
        {u" \t\r\n\uFEFFx", {{2, u" \t\r\n\uFEFF"}, {5, u"x"}}},
        {u"\u3000", {{0, u"\u3000"}}},
        {u"#x", {{0, u"#"}, {5, u"x"}}},
        {u"_a9", {{5, u"_a9"}}},
        {u"\u00e9", {{0, u"\u00e9"}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RawTokens(c.text), c.tokens) << std::string(c.text.begin(), c.text.end());

    // Words longer than any keyword are identifiers without comparison.
    const std::u16string long_ident(60, u'a');
    EXPECT_EQ(RawTokens(long_ident), (std::vector<Tok>{{5, long_ident}}));
    // A keyword prefix of a longer word does not split it.
    EXPECT_EQ(RawTokens(u"int64x"), (std::vector<Tok>{{5, u"int64x"}}));
}

TEST(Tokenizer, Unescape)
{
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"\\t\\q\\\\", u"\t\\q\\"},
        {u"a\\nb\\rc", u"a\nb\rc"},
        {u"\\\"\\'", u"\"'"},
        {u"\\x41\\0", u"\\x41\\0"}, // no numeric escapes
        {u"end\\", u"end\\"},       // a trailing backslash stays
        {u"\\\\\\", u"\\\\"},
        {u"", u""},
        {u"\u4e2d\u6587\\n", u"\u4e2d\u6587\n"},
    };
    for (const auto &[in, expected] : cases)
    {
        std::u16string out = u"junk";
        hgl::UnescapeString(out, in.data(), int(in.size()));
        EXPECT_EQ(out, expected);
    }
    std::u16string out = u"junk";
    hgl::UnescapeString(out, nullptr, 4);
    EXPECT_EQ(out, u"");
}

TEST(Tokenizer, UnterminatedConstantsAndLimits)
{
    const struct
    {
        std::u16string text;
        int type;
        uint32 len;
    } cases[] = {
        // A cut character constant: one less than the distance to the break, never below 1.
        {u"'abc", 11, 3},
        {u"'\n", 11, 1},
        // An escaped backslash, then an escaped quote: the string goes on to the last quote.
        {u"\"a\\\\\\\"\"", 9, 7},
        // Heredoc: needs six units in all; ends at the first triple quote from unit 4 on.
        {u"\"\"\"\"\"\"\"\"", 10, 6},
        {u"\"\"\"ab", 9, 2},
        // A comment's closing pair must start at or after the third unit.
        {u"/*/", 4, 3},
        {u"1.f", 7, 3},
        {u"1.5.5", 8, 3},
        {u"a\u00E9", 5, 1},
        {std::u16string(51, u'q'), 5, 51},
        {u"<<=1", 27, 3},
        {u"&&&", 82, 2},
        {u"\\", 0, 1},
        {std::u16string(1, u'\0'), 0, 1},
        {u"\v", 0, 1},
        {u"\u00A0", 0, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(First(c.text), std::make_pair(c.type, c.len)) << hgl::String(c.text.c_str()).ToUTF8();

    // Limited by the length handed in, not by the terminator; the length comes back
    // through a pointer or a reference of any usual width, or not at all.
    asCTokenizer t;
    uint32 len = 0;
    EXPECT_EQ(t.GetToken(u"\"\"\"\"\"\"", 5, &len), 9);
    EXPECT_EQ(len, 2u);
    EXPECT_EQ(t.GetToken(u"//x\ny", 3, &len), 3);
    EXPECT_EQ(len, 3u);
    int narrow = 0;
    EXPECT_EQ(t.GetToken(u"+=1", 3, narrow), 19);
    EXPECT_EQ(narrow, 2);
    EXPECT_EQ(t.GetToken(u"1.5f", 4, len), 7);
    EXPECT_EQ(len, 4u);
    EXPECT_EQ(t.GetToken(u"x", 1, nullptr), 5);
}

TEST(Tokenizer, UnescapeReadsOnlyTheGivenLength)
{
    hgl::String out;
    hgl::UnescapeString(out, u"ab\\tc", 3);
    EXPECT_EQ(out.ToStdString(), u"ab\\");
    hgl::UnescapeString(out, u"abc", -1);
    EXPECT_EQ(out.ToStdString(), u"");
    // The value is NUL-terminated: a NUL unit inside the constant ends it.
    const u16char with_nul[] = {u'a', u'\\', u'n', 0, u'b'};
    hgl::UnescapeString(out, with_nul, 5);
    EXPECT_EQ(out.ToStdString(), u"a\n");
    // Two backslashes are one pair: the t after them is a plain character.
    hgl::UnescapeString(out, u"\\\\\\\\t", 5);
    EXPECT_EQ(out.ToStdString(), u"\\\\t");
}
