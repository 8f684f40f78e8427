#include "io/Time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "io/MemStream.h"
#include "support/LogCapture.h"

using namespace hgl;

namespace
{
void ExpectTime(const Time &t, int h, int m, int s, int ms)
{
    EXPECT_EQ(h, t.Hour);
    EXPECT_EQ(m, t.Minute);
    EXPECT_EQ(s, t.Second);
    EXPECT_EQ(ms, t.Millisecond);
}

void ExpectDate(const Date &d, int y, int m, int day)
{
    EXPECT_EQ(y, d.Year);
    EXPECT_EQ(m, d.Month);
    EXPECT_EQ(day, d.Day);
    EXPECT_EQ(GetDaysInMonth(y, m), d.DaysInMonth);
}

// Milliseconds into the day, the model a normalised time must agree with.
int64_t DayMs(const Time &t)
{
    return ((int64_t(t.Hour) * 60 + t.Minute) * 60 + t.Second) * 1000 + t.Millisecond;
}

int64_t Mod(int64_t a, int64_t b)
{
    return ((a % b) + b) % b;
}

// m holds these words less the last cut bytes, positioned at the start.
void Put(MemStream &m, const std::vector<int32> &words, int cut = 0)
{
    m.Create(0, false);
    for (int32 w : words)
        m.Write(&w, 4);
    if (cut) m.SetSize(m.GetSize() - cut);
    m.SetPosition(0);
}
} // namespace

TEST(Time, WritesNormaliseWithCarry)
{
    const struct
    {
        int ms, h, m, s, milli;
    } made[] = {{0, 0, 0, 0, 0},
                {-1, 23, 59, 59, 999}, // one millisecond before midnight
                {86400000, 0, 0, 0, 0},
                {((25 * 60 + 1) * 60 + 1) * 1000 + 1, 1, 1, 1, 1},
                {INT_MAX, 20, 31, 23, 647}}; // 24 days 20:31:23.647
    for (const auto &c : made)
        ExpectTime(Time(c.ms), c.h, c.m, c.s, c.milli);
    ExpectTime(Time(), 0, 0, 0, 0);

    // Any value, however large, lands where the day-wrapped total says, at once.
    // The first eight write INT_MIN and INT_MAX into each field.
    std::mt19937 gen(5);
    for (int i = 0; i < 20000; ++i)
    {
        Time a(int(gen() % 86400000));
        const int64_t before = DayMs(a);
        const int field = i < 8 ? i / 2 : int(gen() % 4);
        const int value = i < 8 ? ((i & 1) ? INT_MAX : INT_MIN) : int(gen());
        int64_t unit, old;
        switch (field)
        {
        case 0:
            old = a.Hour;
            a.Hour = value;
            unit = 3600000;
            break;
        case 1:
            old = a.Minute;
            a.Minute = value;
            unit = 60000;
            break;
        case 2:
            old = a.Second;
            a.Second = value;
            unit = 1000;
            break;
        default:
            old = a.Millisecond;
            a.Millisecond = value;
            unit = 1;
            break;
        }
        const int64_t want = Mod(before + (int64_t(value) - old) * unit, 86400000);
        ASSERT_EQ(want, DayMs(a)) << "field " << field << " value " << value;
        ASSERT_TRUE(a.Hour >= 0 && a.Hour < 24 && a.Minute >= 0 && a.Minute < 60 && a.Second >= 0 &&
                    a.Second < 60 && a.Millisecond >= 0 && a.Millisecond < 1000);
    }

    Time now;
    now.SetToNow();
    EXPECT_TRUE(now.Hour >= 0 && now.Hour < 24 && now.Minute < 60 && now.Second < 60 &&
                now.Millisecond < 1000);

    // A copy is a separate value with its own properties.
    Time src(3723004), copy(src);
    src.Hour = 5;
    ExpectTime(copy, 1, 2, 3, 4);
    copy = src;
    ExpectTime(copy, 5, 2, 3, 4);
}

TEST(TimeDateStream, BadOrShortDataIsRefused)
{
    test::LogCapture log;
    MemStream ms;

    // Run in order on one Date. Bad data stores nothing; a short read fails and
    // the fields read before it keep their new values.
    const struct
    {
        std::vector<int32> words;
        int cut;
        bool ok;
        int y, m, d;
    } dates[] = {
        {{2001, 13, 1, 31}, 0, false, 2001, 7, 4},
        {{2001, 2, 0, 28}, 0, false, 2001, 7, 4},
        {{2100, 2, 32, 29}, 0, false, 2001, 7, 4},
        {{2100, 0, 1, 31}, 0, false, 2001, 7, 4},
        {{2008, 2, 3, 28}, 1, false, 2008, 2, 3},
        {{2009, 5}, 2, false, 2009, 2, 3}, // days in month follows the new year
        {{2010, 14}, 0, false, 2009, 2, 3},
        {{}, 0, false, 2009, 2, 3},
        {{2001, 2, 3, 0}, 0, true, 2001, 2, 3}, // a wrong stored days-in-month is not trusted
    };
    Date d(2001, 7, 4);
    for (const auto &c : dates)
    {
        Put(ms, c.words, c.cut);
        EXPECT_EQ(c.ok, d.ReadFromStream(&ms)) << c.y << "-" << c.m;
        ExpectDate(d, c.y, c.m, c.d);
    }
    EXPECT_TRUE(log.ContainsError(u"日期数据无效<2001-13-1>")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"日期数据无效<2100-2-32>")) << log.Dump();
    d.Day = 29; // so later day arithmetic still works
    ExpectDate(d, 2001, 3, 1);

    const struct
    {
        std::vector<int32> words;
        bool ok;
        int h, m, s, ms;
    } times[] = {
        {{24, 0, 0, 0}, false, 0, 0, 1, 0},   {{1, -1, 0, 0}, false, 0, 0, 1, 0},
        {{1, 1, 1, 1000}, false, 0, 0, 1, 0}, {{1, 2, 3}, false, 1, 2, 3, 0},
        {{5, 60}, false, 1, 2, 3, 0},         {{23, 59, 59, 999}, true, 23, 59, 59, 999},
    };
    Time t(1000);
    for (const auto &c : times)
    {
        Put(ms, c.words);
        EXPECT_EQ(c.ok, t.ReadFromStream(&ms)) << c.h << ":" << c.m;
        ExpectTime(t, c.h, c.m, c.s, c.ms);
    }
    EXPECT_TRUE(log.ContainsError(u"时间数据无效<24:0:0.0>")) << log.Dump();
}

TEST(Date, FebruaryFollowsTheGregorianLeapYears)
{
    const struct
    {
        int year, days;
    } years[] = {{2000, 29}, {1900, 28}, {2024, 29}, {2100, 28}, {2023, 28}, {1600, 29}};
    for (const auto &c : years)
    {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(GetDaysInMonth(c.year, 2), c.days);
        Date d(c.year, 2, 1);
        EXPECT_EQ(d.DaysInMonth.Get(), c.days);
        d.Day = 29; // the 29th exists only in a leap year; otherwise it is the 1st of March
        EXPECT_EQ(d.Month.Get(), c.days == 29 ? 2 : 3);
        EXPECT_EQ(d.Day.Get(), c.days == 29 ? 29 : 1);
    }
}
