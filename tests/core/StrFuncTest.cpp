#include "core/StrFunc.h"
#include "support/LogCapture.h"   // U8

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
std::u16string S(const u16char *p) { return p ? std::u16string(p) : std::u16string(u"<null>"); }

// The parsers' rule, step by step in the accumulation type (not the nearest value).
template<typename F> F StepParse(const char *digits)
{
    F value = 0;
    const char *p = digits;
    for (; *p && *p != '.'; ++p) value = value * F(10) + F(*p - '0');
    if (*p == '.') {
        F divisor = 10;
        for (++p; *p; ++p) {
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
    } ncpy[] = {{u"abcdef", 3, u"abc"}, {u"abc", 3, u"abc"}, {u"ab", 5, u"ab"}, {u"ab", 0, u""}, {u"abc", -1, u""}, {kNull, 3, u""}};
    for (const auto &r : ncpy) {
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
    EXPECT_EQ(StrAppendChar(six, 6, u'!'), 5);   // full: nothing appended
    EXPECT_EQ(StrCpy(six, 0, u"a"), 0);
    EXPECT_EQ(S(six), u"abcxy");
    EXPECT_EQ(UpperCase(u"abcdefgh", six, 6), 5);
    EXPECT_EQ(S(six), u"ABCDE");
    EXPECT_EQ(StrCpy(six, 1, u"abc"), 0);   // capacity 1 holds only the terminator
    EXPECT_EQ(six[0], 0);

    EXPECT_EQ(CreateCopy(nullptr, -1), nullptr);
    EXPECT_EQ(CreateCopy(u"abc", 0), nullptr);
    EXPECT_EQ(CreateCopy(u"", -1), nullptr);
    u16char *c = CreateCopy(u"abcdef", 2);   // shorter than the text: still terminated
    EXPECT_EQ(S(c), u"ab");
    delete[] c;
}

TEST(StrFunc, CompareReturnsUnitDifferences)
{
    // {got, want}: the difference of the first differing units, taken as unsigned.
    const std::pair<int, int> rows[] = {
        {StrCmp(nullptr, nullptr), 0},   {StrCmp(nullptr, u""), -1},       {StrCmp(u"", nullptr), 1},
        {StrCmp(u"ab", u"abc"), -99},    {StrCmp(u"abc", u"ab"), u'c'},    {StrCmp(u"z", u"\x8000"), u'z' - 0x8000},
        {StrCmp(u"\xFFFF", u"\x0001"), 0xFFFE},
        {StrNCmp(u"MESSAGE", u"MES", 3), 0}, {StrNCmp(u"MESSAGE", u"MES", 4), 'S'},
        {StrNCmp(u"x", u"y", 0), 0},     {StrNCmp(u"abc", u"xyz", -5), 0}, {StrNCmp(nullptr, u"y", 0), 0},
        {StrNCmp(nullptr, u"y", 2), -1}, {StrNCmp(u"a", kNull, 3), 1},     {StrNCmp(kNull, kNull, 3), 0},
        {StrNCmp(u"abc", u"abd", 2), 0},   // position n-1 compared only as the stop
        {StrNCmp(u"abc", u"xbc", 1), u'a' - u'x'}, {StrNCmp(u"ab", u"abc", 3), -u'c'}};
    for (size_t i = 0; i < std::size(rows); ++i) EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
    // Equal texts far shorter than n: stops at their ends (ASan would catch a read beyond).
    std::u16string a = u"ab", b = u"ab";
    EXPECT_EQ(StrNCmp(a.c_str(), b.c_str(), 1000), 0);
}

TEST(StrFunc, ParsersStopAtTheFirstForeignUnit)
{
    const std::pair<const char16_t *, int> ints[] = {
        {nullptr, 0}, {u"", 0}, {u"-42abc", -42}, {u"+5", 0}, {u" 5", 0}, {u"-", 0}, {u"--5", 0}, {u"12.9", 12},
        {u"2147483647", INT_MAX}, {u"-2147483648", INT_MIN},
        // Overflow wraps in 32 bits (no undefined behaviour).
        {u"2147483648", INT_MIN}, {u"99999999999", static_cast<int>(static_cast<uint32_t>(99999999999ULL))}};
    for (const auto &[text, want] : ints) EXPECT_EQ(ParseInt(text), want) << (text ? test::U8(text) : "null");
    EXPECT_EQ(StrToInt(u"0x1F"), 0);
    for (const char16_t *zero : {kNull, u"-1", u"+1"}) EXPECT_EQ(ParseUInt(zero), 0u);
    EXPECT_EQ(ParseUInt(u"4294967295"), 4294967295u);
    EXPECT_EQ(StrToUInt(u"12z"), 12u);

    const std::pair<const char16_t *, float> floats[] = {
        {nullptr, 0.0f}, {u"3.25", 3.25f}, {u"-.5", -0.5f}, {u"12", 12.0f}, {u"1e3", 1.0f}, {u"7.5x", 7.5f},
        {u"+1", 0.0f},   {u".", 0.0f},     {u"abc", 0.0f},  {u"1..2", 1.0f}, {u"1.2.3", StepParse<float>("1.2")}};
    for (const auto &[text, want] : floats) EXPECT_EQ(ParseFloat(text), want) << (text ? test::U8(text) : "null");
    EXPECT_EQ(StrToFloat(u"2.5"), 2.5f);
    EXPECT_EQ(StrToDouble(u"-2.5x"), -2.5);
    EXPECT_TRUE(std::signbit(ParseFloat(u"-0")));
    EXPECT_TRUE(std::signbit(ParseDouble(u"-0.0")));
    // Pinned to the step-by-step accumulation, not to the nearest value.
    for (const char *t : {"1.15", "0.1", "123.456789", "0.3333333333", "0.123456789012"}) {
        const std::u16string w(t, t + std::strlen(t));
        EXPECT_EQ(ParseFloat(w.c_str()), StepParse<float>(t)) << t;
        EXPECT_EQ(ParseDouble(w.c_str()), StepParse<double>(t)) << t;
    }
    // Many fraction digits: the divisor must not overflow.
    EXPECT_NEAR(ParseDouble(u"0.33333333333333333333333"), 1.0 / 3.0, 1e-12);
    EXPECT_NEAR(ParseFloat(u"0.33333333333333333333333"), 1.0f / 3.0f, 1e-6f);

    for (const char16_t *yes : {u"true", u"T", u"t", u"tx"}) EXPECT_TRUE(StrToBool(yes)) << test::U8(yes);
    for (const char16_t *no : {u"1", u"yes", u" true", u""}) EXPECT_FALSE(StrToBool(no)) << test::U8(no);
    EXPECT_FALSE(StrToBool(nullptr));
}
