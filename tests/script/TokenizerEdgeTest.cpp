// The one-token recogniser and the token reader at their boundaries: lengths of
// unterminated constants, heredoc and comment limits, the keyword table's order and
// reverse lookup, the reader's end handling and the unescaping of string constants.
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
} // namespace

TEST(TokenizerEdge, UnterminatedConstantsAndLimits)
{
    const struct
    {
        std::u16string text;
        int type;
        uint32 len;
    } cases[] = {
        // A cut character constant: one less than the distance to the break, never below 1.
        {u"'abc", 11, 3}, {u"'\n", 11, 1},
        // An escaped backslash, then an escaped quote: the string goes on to the last quote.
        {u"\"a\\\\\\\"\"", 9, 7},
        // Heredoc: needs six units in all; ends at the first triple quote from unit 4 on.
        {u"\"\"\"\"\"\"\"\"", 10, 6}, {u"\"\"\"ab", 9, 2},
        // A comment's closing pair must start at or after the third unit.
        {u"/*/", 4, 3},
        {u"1.f", 7, 3}, {u"1.5.5", 8, 3},
        {u"a\u00E9", 5, 1}, {std::u16string(51, u'q'), 5, 51},
        {u"<<=1", 27, 3}, {u"&&&", 82, 2},
        {u"\\", 0, 1}, {std::u16string(1, u'\0'), 0, 1}, {u"\v", 0, 1}, {u"\u00A0", 0, 1},
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

TEST(TokenizerEdge, UnescapeReadsOnlyTheGivenLength)
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
