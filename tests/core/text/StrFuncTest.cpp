#include "core/StrFunc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace hgl;

namespace
{
std::u16string S(const u16char *p) { return p ? std::u16string(p) : std::u16string(u"<null>"); }
int Sign(int v) { return (v > 0) - (v < 0); }
} // namespace

TEST(StrFunc, LengthCopyAppend)
{
    EXPECT_EQ(StrLen(nullptr), 0);
    EXPECT_EQ(StrLen(u""), 0);
    EXPECT_EQ(StrLen(u"中文abc"), 5);

    u16char buf[16];
    StrCpy(buf, u"hello");
    EXPECT_EQ(S(buf), u"hello");
    StrCpy(buf, nullptr);
    EXPECT_EQ(S(buf), u"");
    StrCpy(nullptr, u"x");   // nothing

    // StrNCpy: n units at most, then a terminator.
    for (auto &c : buf) c = u'#';
    StrNCpy(buf, u"abcdef", 3);
    EXPECT_EQ(S(buf), u"abc");
    EXPECT_EQ(buf[4], u'#');   // 4 units written, no more
    StrNCpy(buf, u"ab", 5);
    EXPECT_EQ(S(buf), u"ab");
    StrNCpy(buf, u"ab", 0);
    EXPECT_EQ(S(buf), u"");

    StrCpy(buf, u"ab");
    StrAppendChar(buf, u'c');
    EXPECT_EQ(S(buf), u"abc");
    StrAppendChar(buf, 0);
    EXPECT_EQ(S(buf), u"abc");
    StrCat(buf, u"de");
    StrCat(buf, nullptr);
    StrCat(buf, u"");
    EXPECT_EQ(S(buf), u"abcde");

    EXPECT_EQ(CreateCopy(nullptr, -1), nullptr);
    EXPECT_EQ(CreateCopy(u"abc", 0), nullptr);
    u16char *c = CreateCopy(u"abc", -1);
    EXPECT_EQ(S(c), u"abc");
    delete[] c;
    c = CreateCopy(u"abcdef", 2);   // shorter than the text: still terminated
    EXPECT_EQ(S(c), u"ab");
    delete[] c;
}

TEST(StrFunc, BoundedFormsNeverPassCapacity)
{
    u16char buf[6];
    for (auto &c : buf) c = u'#';
    EXPECT_EQ(StrCpy(buf, 4, u"abcdef"), 3);
    EXPECT_EQ(S(buf), u"abc");
    EXPECT_EQ(buf[4], u'#');
    EXPECT_EQ(StrCat(buf, 6, u"xyz"), 5);
    EXPECT_EQ(S(buf), u"abcxy");
    EXPECT_EQ(StrAppendChar(buf, 6, u'!'), 5);   // full: nothing appended
    EXPECT_EQ(S(buf), u"abcxy");
    EXPECT_EQ(StrCpy(buf, 0, u"a"), 0);
    EXPECT_EQ(S(buf), u"abcxy");
    EXPECT_EQ(UpperCase(u"abcdefgh", buf, 6), 5);
    EXPECT_EQ(S(buf), u"ABCDE");
    EXPECT_EQ(LowerCase(u"XY", buf, 6), 2);
    EXPECT_EQ(S(buf), u"xy");
    // capacity 1 holds only the terminator
    EXPECT_EQ(StrCpy(buf, 1, u"abc"), 0);
    EXPECT_EQ(buf[0], 0);
}

TEST(StrFunc, SearchAndCount)
{
    const u16char *t = u"a/b/c";
    EXPECT_EQ(StrChr(t, u'/'), t + 1);
    EXPECT_EQ(StrRChr(t, u'/'), t + 3);
    EXPECT_EQ(StrChr(t, u'x'), nullptr);
    EXPECT_EQ(StrChr(u"", u'a'), nullptr);
    EXPECT_EQ(StrChr(nullptr, u'a'), nullptr);
    EXPECT_EQ(StrRChr(static_cast<const u16char *>(nullptr), u'a'), nullptr);
    EXPECT_EQ(StrChr(t, 0), nullptr);   // the terminator is not found
    EXPECT_EQ(StrChrN(t, u'b', 2), nullptr);
    EXPECT_EQ(StrChrN(t, u'b', 3), t + 2);
    EXPECT_EQ(StrChrN(u"ab", u'x', 100), nullptr);   // stops at the terminator
    EXPECT_EQ(StatChar(t, u'/'), 2);
    EXPECT_EQ(StatChar(nullptr, u'/'), 0);

    u16char buf[8] = u"abcb";
    u16char *m = StrChr(buf, u'b');   // a plain pointer into the caller's buffer
    *m = u'B';
    EXPECT_EQ(S(buf), u"aBcb");
    const u16char *view = buf;        // as strchr: a constant text in, a plain pointer out
    u16char *last = StrRChr(view, u'b');
    *last = u'D';
    u16char *first = StrChrN(view, u'c', 3);
    *first = u'C';
    EXPECT_EQ(S(buf), u"aBCD");
}

TEST(StrFunc, Compare)
{
    EXPECT_EQ(StrCmp(nullptr, nullptr), 0);
    EXPECT_EQ(StrCmp(nullptr, u""), -1);
    EXPECT_EQ(StrCmp(u"", nullptr), 1);
    EXPECT_EQ(StrCmp(u"a", u"b"), -1);
    EXPECT_EQ(StrCmp(u"b", u"a"), 1);
    EXPECT_EQ(StrCmp(u"ab", u"abc"), -99);
    EXPECT_GT(StrCmp(u"\x8000", u"z"), 0);   // unsigned unit order
    EXPECT_EQ(StrCmp(u"\xFFFF", u"\x0001"), 0xFFFE);

    EXPECT_EQ(StrNCmp(u"MESSAGE", u"MES", 3), 0);
    EXPECT_EQ(StrNCmp(u"MESSAGE", u"MES", 4), 'S');
    EXPECT_EQ(StrNCmp(u"x", u"y", 0), 0);
    EXPECT_EQ(StrNCmp(nullptr, u"y", 0), 0);
    EXPECT_EQ(StrNCmp(nullptr, u"y", 2), -1);
    EXPECT_EQ(StrNCmp(u"abc", u"abd", 3), -1);
    EXPECT_EQ(StrNCmp(u"abc", u"abd", 2), 'b' - 'b');   // position n-1 compared only as the stop
    // Equal texts far shorter than n: stops at their ends (ASan would catch a read beyond).
    std::u16string a = u"ab", b = u"ab";
    EXPECT_EQ(StrNCmp(a.c_str(), b.c_str(), 1000), 0);
}

TEST(StrFunc, CompareSignMatchesStdCompare)
{
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> len(0, 6), unit(0, 4);
    const u16char alphabet[] = {u'a', u'b', u'Z', 0x7FFF, 0xFFFE};
    for (int round = 0; round < 5000; ++round) {
        std::u16string x, y;
        for (int i = len(rng); i > 0; --i) x += alphabet[unit(rng)];
        for (int i = len(rng); i > 0; --i) y += alphabet[unit(rng)];
        ASSERT_EQ(Sign(StrCmp(x.c_str(), y.c_str())), Sign(x.compare(y))) << round;
        const int n = static_cast<int>(std::min(x.size(), y.size())) + 1;
        ASSERT_EQ(Sign(StrNCmp(x.c_str(), y.c_str(), n)), Sign(x.compare(y))) << round;
    }
}

TEST(StrFunc, CaseAndReplace)
{
    u16char buf[16] = u"aZ中-z{`@";
    EXPECT_EQ(UpperCase(buf), buf);
    EXPECT_EQ(S(buf), u"AZ中-Z{`@");
    LowerCase(buf);
    EXPECT_EQ(S(buf), u"az中-z{`@");
    EXPECT_EQ(UpperCase(static_cast<u16char *>(nullptr)), nullptr);

    u16char out[16];
    UpperCase(u"MixEd", out);
    EXPECT_EQ(S(out), u"MIXED");
    LowerCase(nullptr, out);
    EXPECT_EQ(S(out), u"");
    LowerCase(u"x", nullptr);   // nothing

    u16char path[] = u"a\\b\\c";
    EXPECT_EQ(S(ReplaceChar(path, u'\\', u'/')), u"a/b/c");
    EXPECT_EQ(ReplaceChar(nullptr, u'a', u'b'), nullptr);
}

TEST(StrFunc, SPrintf)
{
    u16char buf[64];
    EXPECT_EQ(SPrintf(nullptr, u"%d", 5), 0);
    EXPECT_EQ(SPrintf(buf, u"打开HAC包<%s>完成！%d", u"Data.hac", 7), 20);
    EXPECT_EQ(S(buf), u"打开HAC包<Data.hac>完成！7");
}

TEST(StrFunc, ParseNumbers)
{
    EXPECT_EQ(ParseInt(nullptr), 0);
    EXPECT_EQ(ParseInt(u"-42abc"), -42);
    EXPECT_EQ(ParseInt(u"+5"), 0);
    EXPECT_EQ(ParseInt(u" 5"), 0);
    EXPECT_EQ(ParseInt(u"abc"), 0);
    EXPECT_EQ(ParseInt(u""), 0);
    EXPECT_EQ(ParseInt(u"2147483647"), INT_MAX);
    EXPECT_EQ(ParseInt(u"-2147483648"), INT_MIN);
    // Overflow wraps in 32 bits (no undefined behaviour): 99999999999 mod 2^32.
    EXPECT_EQ(ParseInt(u"99999999999"), static_cast<int>(static_cast<uint32_t>(99999999999ULL)));
    EXPECT_EQ(StrToInt(u"0x1F"), 0);
    EXPECT_EQ(ParseUInt(u"-1"), 0u);
    EXPECT_EQ(ParseUInt(u"4294967295"), 4294967295u);
    EXPECT_EQ(StrToUInt(u"12z"), 12u);

    EXPECT_EQ(ParseFloat(u"3.25"), 3.25f);
    EXPECT_EQ(ParseFloat(u"-.5"), -0.5f);
    EXPECT_EQ(ParseFloat(u"12"), 12.0f);
    EXPECT_EQ(ParseFloat(u"1e3"), 1.0f);
    EXPECT_EQ(ParseFloat(u"7.5x"), 7.5f);
    EXPECT_EQ(ParseFloat(nullptr), 0.0f);
    EXPECT_TRUE(std::signbit(ParseFloat(u"-0")));
    EXPECT_TRUE(std::signbit(ParseDouble(u"-0")));
    EXPECT_EQ(StrToDouble(u"-2.5"), -2.5);

    // Pinned to the step-by-step accumulation, not to the nearest float.
    for (const u16char *t : {u"1.15", u"0.1", u"123.456789", u"0.3333333333"}) {
        float vf = 0, df = 10;
        double vd = 0, dd = 10;
        const u16char *p = t;
        for (; *p != u'.'; ++p) vf = vf * 10 + static_cast<float>(*p - u'0'), vd = vd * 10 + (*p - u'0');
        for (++p; *p; ++p) {
            float sf = static_cast<float>(*p - u'0') / df;
            vf = vf + sf;
            df = df * 10;
            double sd = static_cast<double>(*p - u'0') / dd;
            vd = vd + sd;
            dd = dd * 10;
        }
        EXPECT_EQ(ParseFloat(t), vf) << static_cast<int>(t[0]);
        EXPECT_EQ(ParseDouble(t), vd);
    }

    EXPECT_TRUE(StrToBool(u"true"));
    EXPECT_TRUE(StrToBool(u"T"));
    EXPECT_FALSE(StrToBool(u"1"));
    EXPECT_FALSE(StrToBool(u"yes"));
    EXPECT_FALSE(StrToBool(nullptr));
}

TEST(StrFunc, NumberToText)
{
    u16char buf[261];
    EXPECT_EQ(Int64ToStr(buf, 260, -1234567890123LL), buf);
    EXPECT_EQ(S(buf), u"-1234567890123");
    EXPECT_EQ(S(Int64ToStr(buf, 3, 12345)), u"123");
    EXPECT_EQ(S(Int64ToStr(buf, 3, -12345)), u"-12");   // the sign counts against size
    EXPECT_EQ(Int64ToStr(buf, 0, 5), nullptr);
    EXPECT_EQ(Int64ToStr(nullptr, 10, 5), nullptr);
    EXPECT_EQ(S(UInt64ToStr(buf, 260, UINT64_MAX)), u"18446744073709551615");
    EXPECT_EQ(S(UInt64ToStr(buf, 1, 0)), u"0");

    u16char small[4];
    for (auto &c : small) c = u'#';
    Int64ToStr(small, 2, 999);   // size + 1 units and no more
    EXPECT_EQ(S(small), u"99");
    EXPECT_EQ(small[3], u'#');
}

TEST(StrFunc, NumberToTextMatchesToString)
{
    std::mt19937_64 rng(11);
    std::vector<int64_t> values = {0, 1, -1, 9, 10, -10, INT64_MAX, INT64_MIN, INT64_MIN + 1};
    for (int i = 0; i < 2000; ++i) values.push_back(static_cast<int64_t>(rng()) >> (rng() % 64));
    u16char buf[261];
    for (int64_t v : values) {
        std::string expect = std::to_string(v);
        ASSERT_EQ(S(Int64ToStr(buf, 260, v)), std::u16string(expect.begin(), expect.end()));
        std::string uexpect = std::to_string(static_cast<uint64_t>(v));
        ASSERT_EQ(S(UInt64ToStr(buf, 260, static_cast<uint64_t>(v))), std::u16string(uexpect.begin(), uexpect.end()));
    }
    EXPECT_EQ(S(Int64ToStr(buf, 260, INT64_MIN)), u"-9223372036854775808");
}
