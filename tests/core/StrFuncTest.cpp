#include "core/StrFunc.h"
#include "support/LogCapture.h" // U8

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace hgl;

namespace
{
const u16char *const kNull = nullptr;
std::u16string S(const u16char *p)
{
    return p ? std::u16string(p) : std::u16string(u"<null>");
}

// The parsers' rule, step by step in the accumulation type (not the nearest value).
template <typename F> F StepParse(const char *digits)
{
    F value = 0;
    const char *p = digits;
    for (; *p && *p != '.'; ++p)
        value = value * F(10) + F(*p - '0');
    if (*p == '.')
    {
        F divisor = 10;
        for (++p; *p; ++p)
        {
            value = value + F(*p - '0') / divisor;
            divisor = divisor * F(10);
        }
    }
    return value;
}
} // namespace

TEST(StrFunc, CopiesAndAppendsStayInBounds)
{
    EXPECT_EQ(StrLen(nullptr), 0);
    EXPECT_EQ(StrLen(u"中文abc"), 5);

    u16char buf[16];
    StrCpy(buf, u"hello");
    EXPECT_EQ(S(buf), u"hello");
    StrCpy(buf, nullptr);
    EXPECT_EQ(S(buf), u"");
    StrCpy(nullptr, u"x");
    StrNCpy(nullptr, u"abc", 3);
    StrAppendChar(nullptr, u'x');
    StrCat(nullptr, u"x");

    // StrNCpy: n units at most, then a terminator and nothing beyond it.
    const struct
    {
        const u16char *src;
        int n;
        std::u16string want;
    } ncpy[] = {{u"abcdef", 3, u"abc"}, {u"abc", 3, u"abc"}, {u"ab", 5, u"ab"},
                {u"ab", 0, u""},        {u"abc", -1, u""},   {kNull, 3, u""}};
    for (const auto &r : ncpy)
    {
        std::fill(std::begin(buf), std::end(buf), u'#');
        StrNCpy(buf, r.src, r.n);
        EXPECT_EQ(S(buf), r.want) << r.n;
        EXPECT_EQ(buf[r.want.size() + 1], u'#') << r.n;
    }

    StrCpy(buf, u"ab");
    StrAppendChar(buf, u'c');
    StrAppendChar(buf, 0);
    StrCat(buf, u"de");
    StrCat(buf, nullptr);
    EXPECT_EQ(S(buf), u"abcde");

    // Bounded forms: never past the capacity, the count written comes back.
    u16char six[6];
    std::fill(std::begin(six), std::end(six), u'#');
    EXPECT_EQ(StrCpy(six, 4, u"abcdef"), 3);
    EXPECT_EQ(S(six), u"abc");
    EXPECT_EQ(six[4], u'#');
    EXPECT_EQ(StrCat(six, 6, u"xyz"), 5);
    EXPECT_EQ(S(six), u"abcxy");
    EXPECT_EQ(StrAppendChar(six, 6, u'!'), 5); // full: nothing appended
    EXPECT_EQ(StrCpy(six, 0, u"a"), 0);
    EXPECT_EQ(S(six), u"abcxy");
    EXPECT_EQ(UpperCase(u"abcdefgh", six, 6), 5);
    EXPECT_EQ(S(six), u"ABCDE");
    EXPECT_EQ(StrCpy(six, 1, u"abc"), 0); // capacity 1 holds only the terminator
    EXPECT_EQ(six[0], 0);

    EXPECT_EQ(CreateCopy(nullptr, -1), nullptr);
    EXPECT_EQ(CreateCopy(u"abc", 0), nullptr);
    EXPECT_EQ(CreateCopy(u"", -1), nullptr);
    u16char *c = CreateCopy(u"abcdef", 2); // shorter than the text: still terminated
    EXPECT_EQ(S(c), u"ab");
    delete[] c;
}
