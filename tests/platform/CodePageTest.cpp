#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace hgl::platform;
using hgl::u16char;

TEST(CodePage, BufferFormsFollowWindowsCounting)
{
    const char gbk[] = "\xD6\xD0\xCE\xC4";
    EXPECT_EQ(MultiByteToUTF16(936, gbk, 4, nullptr, 0), 2);
    EXPECT_EQ(MultiByteToUTF16(936, gbk, -1, nullptr, 0), 3); // the terminator counts
    u16char buf[4] = {u'#', u'#', u'#', u'#'};
    EXPECT_EQ(MultiByteToUTF16(936, gbk, -1, buf, 4), 3);
    EXPECT_EQ(std::u16string(buf), u"中文");
    EXPECT_EQ(MultiByteToUTF16(936, gbk, -1, buf, 2), 0); // too small: failure
    EXPECT_EQ(MultiByteToUTF16(12345, gbk, -1, nullptr, 0), 0);
    EXPECT_EQ(MultiByteToUTF16(936, nullptr, -1, nullptr, 0), 0);
    EXPECT_EQ(MultiByteToUTF16(936, gbk, 0, nullptr, 0), 0);

    EXPECT_EQ(UTF16ToMultiByte(936, u"中文", -1, nullptr, 0), 5);
    EXPECT_EQ(UTF16ToMultiByte(936, u"中文", 2, nullptr, 0), 4);
    char bytes[8];
    EXPECT_EQ(UTF16ToMultiByte(936, u"中文", -1, bytes, 8), 5);
    EXPECT_STREQ(bytes, gbk);
    EXPECT_EQ(UTF16ToMultiByte(936, u"中文", -1, bytes, 4), 0);
}

TEST(CodePage, BadInputNeverFails)
{
    std::u16string w;
    EXPECT_TRUE(MultiByteToUTF16(936,
                                 "a\xFF\xFF"
                                 "b",
                                 4, w));
    EXPECT_EQ(w.front(), u'a');
    EXPECT_EQ(w.back(), u'b');
    EXPECT_GE(w.size(), 3u);
    EXPECT_TRUE(MultiByteToUTF16(936, "ab\xD6", 3, w)); // cut in the middle of a character
    EXPECT_EQ(w, u"ab?");
    EXPECT_TRUE(MultiByteToUTF16(65001,
                                 "a\xFF"
                                 "b\xE4\xB8",
                                 5, w));
    EXPECT_EQ(w, u"a\xFFFD"
                 u"b\xFFFD");
    EXPECT_TRUE(MultiByteToUTF16(65001, "\xC0\xAF\xED\xA0\x80", 5, w)); // overlong, surrogate
    for (u16char c : w)
        EXPECT_EQ(c, 0xFFFD);

    std::string m;
    EXPECT_TRUE(UTF16ToMultiByte(1252, u"a中b", -1, m));
    EXPECT_EQ(m, "a?b");
    const u16char pair[] = {0xD83D, 0xDE00, u'x', 0}; // one character outside the BMP
    EXPECT_TRUE(UTF16ToMultiByte(936, pair, -1, m));
    EXPECT_EQ(m, "?x");
    const u16char lone[] = {u'a', 0xD800, 0};
    EXPECT_TRUE(UTF16ToMultiByte(936, lone, -1, m));
    EXPECT_EQ(m, "a?");
    EXPECT_EQ(UTF16ToUTF8(lone), "a\xEF\xBF\xBD");
    EXPECT_FALSE(UTF16ToMultiByte(12345, u"a", -1, m));
}
