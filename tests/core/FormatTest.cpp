#include "core/Format.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

using hgl::Format;
using hgl::u16char;

TEST(Format, ConversionTable)
{
    const u16char *nulltext = nullptr;
    struct Row
    {
        std::u16string got, want;
    } rows[] = {
        {Format(u"<%s>", u"中文"), u"<中文>"},
        {Format(u"<%ls>", u"ab"), u"<ab>"},
        {Format(u"<%s>", nulltext), u"<(null)>"},
        {Format(u"<%S>", "narrow"), u"<narrow>"},
        {Format(u"<%hs>", "narrow"), u"<narrow>"},
        {Format(u"<%S>", static_cast<const char *>(nullptr)), u"<(null)>"},
        {Format(u"%d|%i", -15, 42), u"-15|42"},
        {Format(u"%u", 4000000000u), u"4000000000"},
        {Format(u"%02d:%04d", 5, 42), u"05:0042"},
        {Format(u"%02d", 123), u"123"},
        {Format(u"[%-5d]", 42), u"[42   ]"},
        {Format(u"[%5d]", -42), u"[  -42]"},
        {Format(u"[%05d]", -42), u"[-0042]"},
        {Format(u"[%+d|% d]", 3, 3), u"[+3| 3]"},
        {Format(u"[%.3d]", 7), u"[007]"},
        {Format(u"[%.0d]", 0), u"[]"},
        {Format(u"[%*d|%-*d]", 4, 1, 3, 2), u"[   1|2  ]"},
        {Format(u"[%*d]", -4, 1), u"[1   ]"},
        {Format(u"%x %X %#x %o %#o", 255u, 255u, 255u, 8u, 8u), u"ff FF 0xff 10 010"},
        {Format(u"%c%c", u'中', u'A'), u"中A"},
        {Format(u"%C", 'z'), u"z"},
        {Format(u"100%%"), u"100%"},
        {Format(u"%I64d %lld %ld", INT64_MIN, 12345678901LL, -5L), u"-9223372036854775808 12345678901 -5"},
        {Format(u"%I64u %llu", UINT64_MAX, 1ULL), u"18446744073709551615 1"},
        {Format(u"%hd %hhu", 70000, 257), u"4464 1"},
        {Format(u"%d", INT_MIN), u"-2147483648"},
        {Format(u"%.2f|%8.3f|%-8.1f|%e|%g", 3.14159, 2.5, 1.0, 12345.678, 0.0001),
         u"3.14|   2.500|1.0     |1.234568e+04|0.0001"},
        {Format(u"%f", 1.5), u"1.500000"},
        {Format(u"%.3s|%5s|%-5s|", u"abcdef", u"ab", u"ab"), u"abc|   ab|ab   |"},
        {Format(u"%p", reinterpret_cast<void *>(0x12FF7C)), u"000000000012FF7C"},
        {Format(u"%y|%"), u"%y|%"}, // unknown conversion and a lone '%' are copied out
        {Format(u"更改显示模式<%dx%d,%d bit,%dhz>成功！", 800, 600, 32, 60),
         u"更改显示模式<800x600,32 bit,60hz>成功！"},
        {Format(nullptr), u""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.got, r.want);
}

TEST(Format, BoundedBufferCutsAndReportsFullLength)
{
    u16char buf[6];
    for (auto &c : buf)
        c = u'#';
    EXPECT_EQ(hgl::SPrintfN(buf, 4, u"%d", 123456), 6);
    EXPECT_EQ(std::u16string(buf), u"123");
    EXPECT_EQ(buf[4], u'#');
    EXPECT_EQ(hgl::SPrintfN(buf, 1, u"abc"), 3);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(hgl::SPrintfN(nullptr, 0, u"%s", u"abcd"), 4); // counting only
    // Padding that does not fit is cut too, without writing past the buffer.
    EXPECT_EQ(hgl::SPrintfN(buf, 6, u"%100d", 1), 100);
    EXPECT_EQ(std::u16string(buf), u"     ");
}

TEST(Format, LongTextsComeBackWhole)
{
    std::u16string big(5000, u'字');
    std::u16string out = Format(u"[%s]", big.c_str());
    ASSERT_EQ(out.size(), 5002u);
    EXPECT_EQ(out.substr(1, 5000), big);
    // A huge width is clamped instead of exhausting memory.
    EXPECT_LE(Format(u"%999999999d", 1).size(), 100000u);
    // Very long floating-point output goes through the large path.
    EXPECT_EQ(Format(u"%.0f", 1e300).size(), 301u);
}

namespace
{
// A fixed argument source: what the fuzz target uses to run any format safely.
class FixedArgs : public hgl::FormatArgs
{
  public:
    long long GetInt(int) override { return -7; }
    unsigned long long GetUInt(int) override { return 7; }
    double GetDouble() override { return 0.5; }
    long double GetLongDouble() override { return 0.25L; }
    const void *GetPointer() override { return u"txt"; }
};
} // namespace
