// Boundary values of the free text functions: null and empty arguments, n/size of
// 0, -1 and 1, exact unit differences and the parsers' stopping rules.
#include "core/Log.h"
#include "core/StrFunc.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

using hgl::u16char;

namespace
{
const u16char *const kNull = nullptr;

// The parsers' rule, step by step in the accumulation type.
template<typename F> F StepParse(const char *digits)
{
    F value = 0;
    const char *p = digits;
    for (; *p && *p != '.'; ++p)
        value = value * F(10) + F(*p - '0');
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

TEST(StrFuncEdge, CopiesAtTheirBounds)
{
    u16char buf[8];
    std::fill(std::begin(buf), std::end(buf), u'#');
    hgl::StrCpy(buf, u"");
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], u'#');                    // nothing beyond the terminator
    for (int n : {-1, 3}) {
        buf[0] = u'#';
        hgl::StrNCpy(buf, n < 0 ? u"abc" : kNull, n);
        EXPECT_EQ(buf[0], 0);
    }
    hgl::StrNCpy(nullptr, u"abc", 3);
    std::fill(std::begin(buf), std::end(buf), u'#');
    hgl::StrNCpy(buf, u"abc", 3);               // exactly n units: terminator after them
    EXPECT_EQ(std::u16string(buf), u"abc");
    EXPECT_EQ(buf[4], u'#');
    hgl::StrAppendChar(nullptr, u'x');
    hgl::StrCat(nullptr, u"x");

    EXPECT_EQ(hgl::CreateCopy(kNull, 3), nullptr);
    EXPECT_EQ(hgl::CreateCopy(u"", -1), nullptr);
}

TEST(StrFuncEdge, SearchLimits)
{
    const u16char *t = u"abcabc";
    EXPECT_EQ(hgl::StrChrN(t, u'c', 0), nullptr);
    EXPECT_EQ(hgl::StrChrN(t, u'c', -1), nullptr);
    EXPECT_EQ(hgl::StrChrN(kNull, u'c', 5), nullptr);
    const u16char zeroInside[] = {u'a', u'b', 0, u'c', 0};
    EXPECT_EQ(hgl::StrChrN(zeroInside, u'c', 4), nullptr);   // stops at the terminator
    EXPECT_EQ(hgl::StrRChr(t, u'b'), t + 4);
    EXPECT_EQ(hgl::StrRChr(u"", u'b'), nullptr);
    EXPECT_EQ(hgl::StatChar(t, u'z'), 0);
}

TEST(StrFuncEdge, ComparisonsReturnUnitDifferences)
{
    EXPECT_EQ(hgl::StrCmp(u"", u""), 0);
    EXPECT_EQ(hgl::StrCmp(u"abc", u"ab"), u'c');
    EXPECT_EQ(hgl::StrCmp(u"z", u"\x8000"), u'z' - 0x8000);
    EXPECT_EQ(hgl::StrNCmp(u"abc", u"xyz", -5), 0);
    EXPECT_EQ(hgl::StrNCmp(kNull, kNull, 3), 0);
    EXPECT_EQ(hgl::StrNCmp(u"a", kNull, 3), 1);
    EXPECT_EQ(hgl::StrNCmp(u"abc", u"xbc", 1), u'a' - u'x');   // n 1: the stop is position 0
    EXPECT_EQ(hgl::StrNCmp(u"ab", u"abc", 3), -u'c');
}

TEST(StrFuncEdge, ParsersStopAtTheFirstForeignUnit)
{
    EXPECT_EQ(hgl::ParseInt(u"-"), 0);
    EXPECT_EQ(hgl::ParseInt(u"--5"), 0);
    EXPECT_EQ(hgl::ParseInt(u"12.9"), 12);
    EXPECT_EQ(hgl::ParseInt(u"2147483648"), INT_MIN);        // 32-bit wrap
    EXPECT_EQ(hgl::ParseUInt(kNull), 0u);
    EXPECT_EQ(hgl::ParseUInt(u"+1"), 0u);
    EXPECT_EQ(hgl::StrToUInt(u"3000000000"), 3000000000u);

    EXPECT_EQ(hgl::ParseFloat(u"+1"), 0.0f);
    EXPECT_EQ(hgl::ParseFloat(u"."), 0.0f);
    EXPECT_EQ(hgl::ParseFloat(u"abc"), 0.0f);
    EXPECT_EQ(hgl::ParseFloat(u"1.2.3"), StepParse<float>("1.2"));
    EXPECT_EQ(hgl::ParseFloat(u"1..2"), 1.0f);
    EXPECT_EQ(hgl::ParseDouble(u"0.123456789012"), StepParse<double>("0.123456789012"));
    EXPECT_EQ(hgl::ParseDouble(u"-2.5x"), -2.5);
    EXPECT_EQ(hgl::StrToFloat(u"2.5"), 2.5f);
    EXPECT_TRUE(std::signbit(hgl::ParseDouble(u"-0.0")));
    // Many fraction digits: the divisor must not overflow.
    EXPECT_NEAR(hgl::ParseDouble(u"0.33333333333333333333333"), 1.0 / 3.0, 1e-12);
    EXPECT_NEAR(hgl::ParseFloat(u"0.33333333333333333333333"), 1.0f / 3.0f, 1e-6f);

    EXPECT_TRUE(hgl::StrToBool(u"t"));
    EXPECT_TRUE(hgl::StrToBool(u"tx"));
    EXPECT_FALSE(hgl::StrToBool(u" true"));
    EXPECT_FALSE(hgl::StrToBool(u""));
}

TEST(StrFuncEdge, NumberToTextSizes)
{
    u16char buf[32];
    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_EQ(hgl::Int64ToStr(buf, -1, 5), nullptr);
    EXPECT_EQ(buf[0], u'#');                     // nothing written
    hgl::Int64ToStr(buf, 1, -5);
    EXPECT_EQ(std::u16string(buf), u"-");        // the sign took the only place
    hgl::Int64ToStr(buf, 1, 0);
    EXPECT_EQ(std::u16string(buf), u"0");
    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_EQ(hgl::UInt64ToStr(buf, 2, UINT64_MAX), buf);
    EXPECT_EQ(std::u16string(buf), u"18");       // leading digits kept
    EXPECT_EQ(buf[3], u'#');
    EXPECT_EQ(hgl::UInt64ToStr(buf, 0, 1), nullptr);
    EXPECT_EQ(hgl::UInt64ToStr(nullptr, 5, 1), nullptr);
}

TEST(StrFuncEdge, SPrintfReturnsTheCountOfEveryConversion)
{
    u16char buf[128];
    auto expectRow = [&](int n, const std::u16string &want) {
        EXPECT_EQ(std::u16string(buf), want);
        EXPECT_EQ(n, static_cast<int>(want.size())) << hgl::test::U8(want);
    };
    expectRow(hgl::SPrintf(buf, u""), u"");
    expectRow(hgl::SPrintf(buf, u"[%-05d][%08x][%-8X]", 5, 0xbeef, 0xbeef), u"[5    ][0000beef][BEEF    ]");
    expectRow(hgl::SPrintf(buf, u"%#x %#o %+u", 0, 0, 5), u"0 0 5");
    expectRow(hgl::SPrintf(buf, u"[%.0s][%.*s]", u"ab", 1, u"xyz"), u"[][x]");
    expectRow(hgl::SPrintf(buf, u"[%10S][%.1S]", "narrow", "narrow"), u"[    narrow][n]");
    expectRow(hgl::SPrintf(buf, u"%lc%wc|%ws|%hc", u'中', u'文', u"w", 'h'), u"中文|w|h");
    expectRow(hgl::SPrintf(buf, u"[%5c][%-3c]", u'x', u'y'), u"[    x][y  ]");
    expectRow(hgl::SPrintf(buf, u"%zd %zu %hhd", static_cast<size_t>(5), static_cast<size_t>(6), 300), u"5 6 44");
    expectRow(hgl::SPrintf(buf, u"%010.3f|%E|%G", -3.14159, 1.5, 1e-10), u"-00003.142|1.500000E+00|1E-10");
    expectRow(hgl::SPrintf(buf, u"%c", 0x263A), u"\u263A");

    hgl::test::LogCapture log;
    hgl::PutInfo(u"打开HAC包<%s>完成！", u"a.hac");
    hgl::PutError(u"无效的代码页<%d>", 7);
    EXPECT_EQ(log.Infos(), (std::vector<std::u16string>{u"打开HAC包<a.hac>完成！"})) << log.Dump();
    EXPECT_EQ(log.Errors(), (std::vector<std::u16string>{u"无效的代码页<7>"})) << log.Dump();
}
