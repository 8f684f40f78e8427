#include "io/Time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <thread>

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

// The day-count model: the first of the month moved on by v - 1 days.
std::chrono::year_month_day AddDays(int y, int m, int v)
{
    using namespace std::chrono;
    const sys_days first = year{y} / month{unsigned(m)} / day{1};
    return year_month_day{first + days{v - 1}};
}

// Step-by-step carries, one unit at a time, for cross-checking small values.
struct LoopDate
{
    int year, month, day;
    int Dim() const { return GetDaysInMonth(year, month); }
    void SetMonth(int v)
    {
        while (v < 1)
        {
            v += 12;
            --year;
        }
        while (v > 12)
        {
            v -= 12;
            ++year;
        }
        month = v;
    }
    void SetDay(int v)
    {
        while (v > Dim())
        {
            v -= Dim();
            SetMonth(month + 1);
        }
        while (v < 1)
        {
            SetMonth(month - 1);
            v += Dim();
        }
        day = v;
    }
};

std::vector<uint8_t> Bytes(const MemStream &ms)
{
    return std::vector<uint8_t>(ms.GetData(), ms.GetData() + ms.GetSize());
}

std::unique_ptr<MemStream> StreamOf(std::initializer_list<int32_t> words, int cut = 0)
{
    auto ms = std::make_unique<MemStream>();
    ms->Create(0, false);
    for (int32_t w : words)
        ms->Write(&w, 4);
    if (cut)
        ms->SetSize(ms->GetSize() - cut);
    ms->SetPosition(0);
    return ms;
}
} // namespace

TEST(Clock, EachClockStartsAtZeroAndOnlyGoesForward)
{
    // The first calls of the process are needed, so this runs in a fresh copy.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool zero = GetTime() == 0 && GetMicroTime() == 0 && GetDoubleTime() == 0.0;
            std::exit(zero ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");

    const uint64 ms0 = GetTime();
    const uint64 us0 = GetMicroTime();
    const double s0 = GetDoubleTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const uint64 ms1 = GetTime();
    const uint64 us1 = GetMicroTime();
    const double s1 = GetDoubleTime();
    EXPECT_GE(ms1 - ms0, 29u);   // a sleep lasts at least as long as asked
    EXPECT_GE(us1 - us0, 29000u);
    EXPECT_GE(s1 - s0, 0.029);

    uint64 last = GetMicroTime();
    for (int i = 0; i < 10000; ++i)
    {
        const uint64 now = GetMicroTime();
        ASSERT_GE(now, last);
        last = now;
    }
}

TEST(Time, WritesNormaliseWithCarry)
{
    ExpectTime(Time(), 0, 0, 0, 0);
    ExpectTime(Time(((25 * 60 + 1) * 60 + 1) * 1000 + 1), 1, 1, 1, 1);

    Time t;
    t.Minute = -1;
    ExpectTime(t, 23, 59, 0, 0);

    Time u;
    u.Millisecond = -1;
    ExpectTime(u, 23, 59, 59, 999);

    Time v;
    v.Hour = 47;
    EXPECT_EQ(23, v.Hour);
    v.Hour = -25;
    EXPECT_EQ(23, v.Hour);
    v.Second = 61;   // 23:01:01 -> carry one minute
    ExpectTime(v, 23, 1, 1, 0);
    v.Minute = 60 * 3 + 5;
    ExpectTime(v, 2, 5, 1, 0);
    v.Millisecond += 2500;
    ExpectTime(v, 2, 5, 3, 500);

    // Any value, however large, lands where the day-wrapped total says, at once.
    std::mt19937 gen(5);
    for (int i = 0; i < 20000; ++i)
    {
        Time a(int(gen() % 86400000));
        const int64_t before = DayMs(a);
        const int field = int(gen() % 4);
        int value = int(gen());
        if (i < 8)
            value = (i & 1) ? INT_MAX : INT_MIN;
        int64_t unit, old;
        switch (field)
        {
        case 0: old = a.Hour; a.Hour = value; unit = 3600000; break;
        case 1: old = a.Minute; a.Minute = value; unit = 60000; break;
        case 2: old = a.Second; a.Second = value; unit = 1000; break;
        default: old = a.Millisecond; a.Millisecond = value; unit = 1; break;
        }
        const int64_t want = Mod(before + (int64_t(value) - old) * unit, 86400000);
        ASSERT_EQ(want, DayMs(a)) << "field " << field << " value " << value;
        ASSERT_TRUE(a.Hour >= 0 && a.Hour < 24 && a.Minute >= 0 && a.Minute < 60 && a.Second >= 0 &&
                    a.Second < 60 && a.Millisecond >= 0 && a.Millisecond < 1000);
    }

    Time now;
    now.SetToNow();
    EXPECT_TRUE(now.Hour >= 0 && now.Hour < 24 && now.Minute < 60 && now.Second < 60 && now.Millisecond < 1000);

    // A copy is a separate value with its own properties.
    Time src(3723004), copy(src);
    src.Hour = 5;
    ExpectTime(copy, 1, 2, 3, 4);
    copy = src;
    ExpectTime(copy, 5, 2, 3, 4);
}

TEST(Date, DaysAndMonthsCarryIntoTheCalendar)
{
    ExpectDate(Date(), 2000, 1, 1);

    Date a(2010, 1, 31);
    a.Day = 32;
    ExpectDate(a, 2010, 2, 1);

    Date b(2010, 3, 1);
    b.Day = 0;
    ExpectDate(b, 2010, 2, 28);

    Date c(2008, 3, 1);
    c.Day = 0;
    ExpectDate(c, 2008, 2, 29);

    Date d(2009, 6, 15);
    d.Month = 13;
    ExpectDate(d, 2010, 1, 15);
    d.Month = 0;
    ExpectDate(d, 2009, 12, 15);
    d.Month = -11;
    ExpectDate(d, 2008, 1, 15);
    d.Month = 25;
    ExpectDate(d, 2010, 1, 15);

    // Gregorian leap years.
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2008));
    EXPECT_FALSE(IsLeapYear(2010));
    EXPECT_EQ(28, GetDaysInMonth(1900, 2));
    EXPECT_EQ(28, GetDaysInMonth(2100, 2));
    EXPECT_EQ(29, GetDaysInMonth(2000, 2));
    EXPECT_EQ(0, GetDaysInMonth(2000, 13));
    Date e(2100, 3, 1);
    e.Day = 0;
    ExpectDate(e, 2100, 2, 28);

    // Days in month follows the year as well.
    Date f(2008, 2, 10);
    EXPECT_EQ(29, f.DaysInMonth);
    f.Year = 2009;
    EXPECT_EQ(28, f.DaysInMonth);

    Date g(2011, 5, 5), h(g);
    g.Day = 40;
    ExpectDate(h, 2011, 5, 5);
    h = g;
    ExpectDate(h, 2011, 6, 9);
}

TEST(Date, DayWritesAgreeWithADayCountModel)
{
    std::mt19937 gen(11);
    for (int i = 0; i < 20000; ++i)
    {
        const int y = 1600 + int(gen() % 800);
        const int m = 1 + int(gen() % 12);
        const int v = int(gen() % 40001) - 20000;
        Date d(y, m, 1);
        d.Day = v;
        const auto want = AddDays(y, m, v);
        ASSERT_EQ(int(want.year()), int(d.Year)) << y << "-" << m << " Day=" << v;
        ASSERT_EQ(unsigned(want.month()), unsigned(d.Month)) << y << "-" << m << " Day=" << v;
        ASSERT_EQ(unsigned(want.day()), unsigned(d.Day)) << y << "-" << m << " Day=" << v;
        ASSERT_EQ(GetDaysInMonth(d.Year, d.Month), d.DaysInMonth);

        // Small values also against one-step-at-a-time carrying.
        if (v > -400 && v < 400)
        {
            LoopDate l{y, m, 1};
            l.SetDay(v);
            ASSERT_EQ(l.year, d.Year);
            ASSERT_EQ(l.month, d.Month);
            ASSERT_EQ(l.day, d.Day);
        }
    }

    // Extreme writes finish at once and give a valid date.
    Date far;
    far.Day = INT_MAX;
    EXPECT_GT(far.Year, 5000000);
    EXPECT_TRUE(far.Day >= 1 && far.Day <= far.DaysInMonth);
    far = Date();
    far.Day = INT_MIN;
    EXPECT_LT(far.Year, -5000000);
    EXPECT_TRUE(far.Day >= 1 && far.Day <= far.DaysInMonth);
    Date last(INT_MAX, 12, 1);
    last.Day = 100;
    ExpectDate(last, INT_MAX, 12, 31);
    Date first(INT_MIN, 1, 31);
    first.Day = -100;
    ExpectDate(first, INT_MIN, 1, 1);
    Date mfar;
    mfar.Month = INT_MIN;
    EXPECT_TRUE(mfar.Month >= 1 && mfar.Month <= 12);
    EXPECT_EQ(2000 + (int64_t(INT_MIN) - 1) / 12 - 1, mfar.Year);

    Date today;
    today.SetToday();
    EXPECT_TRUE(today.Month >= 1 && today.Month <= 12 && today.Day >= 1 && today.Day <= today.DaysInMonth);
    EXPECT_GE(today.Year, 2020);
}

TEST(TimeDateStream, SixteenByteFormsRoundTrip)
{
    MemStream ms;
    ms.Create(0, false);
    Date d(2012, 2, 29);
    ASSERT_TRUE(d.WriteToStream(&ms));
    EXPECT_EQ(16, ms.GetSize());
    const uint8_t want_date[16] = {0xDC, 0x07, 0, 0, 2, 0, 0, 0, 29, 0, 0, 0, 29, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(want_date, want_date + 16), Bytes(ms));

    Time t(((13 * 60 + 14) * 60 + 15) * 1000 + 16);
    ASSERT_TRUE(ms.WriteObject(&t));
    EXPECT_EQ(32, ms.GetSize());

    ms.SetPosition(0);
    Date d2;
    Time t2;
    ASSERT_TRUE(ms.ReadObject(&d2));
    ASSERT_TRUE(ms.ReadObject(&t2));
    ExpectDate(d2, 2012, 2, 29);
    ExpectTime(t2, 13, 14, 15, 16);

    EXPECT_FALSE(d.WriteToStream(nullptr));
    EXPECT_FALSE(d.ReadFromStream(nullptr));
    EXPECT_FALSE(t.WriteToStream(nullptr));
    EXPECT_FALSE(t.ReadFromStream(nullptr));

    // A full fixed stream refuses the write.
    MemStream small(8, true);
    EXPECT_FALSE(d.WriteToStream(&small));
}

TEST(TimeDateStream, BadOrShortDataIsRefused)
{
    test::LogCapture log;

    Date d(2001, 7, 4);
    auto month13 = StreamOf({2001, 13, 1, 31});
    EXPECT_FALSE(d.ReadFromStream(month13.get()));
    EXPECT_TRUE(log.ContainsError(u"日期数据无效<2001-13-1>")) << log.Dump();
    ExpectDate(d, 2001, 7, 4);

    auto day0 = StreamOf({2001, 2, 0, 28});
    EXPECT_FALSE(d.ReadFromStream(day0.get()));
    auto day32 = StreamOf({2100, 2, 32, 29});
    EXPECT_FALSE(d.ReadFromStream(day32.get()));
    EXPECT_TRUE(log.ContainsError(u"日期数据无效<2100-2-32>")) << log.Dump();
    auto month0 = StreamOf({2100, 0, 1, 31});
    EXPECT_FALSE(d.ReadFromStream(month0.get()));
    ExpectDate(d, 2001, 7, 4);   // bad data stores nothing

    // A short read fails, and the fields read before it keep their new values.
    auto short_date = StreamOf({2008, 2, 3, 28}, 1);
    EXPECT_FALSE(d.ReadFromStream(short_date.get()));
    ExpectDate(d, 2008, 2, 3);
    auto year_only = StreamOf({2009, 5}, 2);
    EXPECT_FALSE(d.ReadFromStream(year_only.get()));
    ExpectDate(d, 2009, 2, 3);   // days in month follows the new year
    auto short_bad = StreamOf({2010, 14}, 0);
    EXPECT_FALSE(d.ReadFromStream(short_bad.get()));
    ExpectDate(d, 2009, 2, 3);
    auto nothing = StreamOf({}, 0);
    EXPECT_FALSE(d.ReadFromStream(nothing.get()));
    ExpectDate(d, 2009, 2, 3);
    d = Date(2001, 7, 4);

    // A date whose day lies past its month (what a Month write leaves) saves and loads.
    Date past(2010, 1, 31);
    past.Month = 2;
    EXPECT_EQ(31, past.Day);
    EXPECT_EQ(28, past.DaysInMonth);
    MemStream saved;
    saved.Create(0, false);
    ASSERT_TRUE(past.WriteToStream(&saved));
    saved.SetPosition(0);
    Date loaded;
    ASSERT_TRUE(loaded.ReadFromStream(&saved));
    EXPECT_EQ(past, loaded);
    loaded.Day = loaded.Day.Get();   // the next Day write normalises: Feb 31 is March 3
    ExpectDate(loaded, 2010, 3, 3);

    // A wrong stored days-in-month is not trusted, so later day arithmetic still works.
    auto bad_dim = StreamOf({2001, 2, 3, 0});
    EXPECT_TRUE(d.ReadFromStream(bad_dim.get()));
    ExpectDate(d, 2001, 2, 3);
    d.Day = 29;
    ExpectDate(d, 2001, 3, 1);

    Time t(1000);
    auto hour24 = StreamOf({24, 0, 0, 0});
    EXPECT_FALSE(t.ReadFromStream(hour24.get()));
    EXPECT_TRUE(log.ContainsError(u"时间数据无效<24:0:0.0>")) << log.Dump();
    auto neg = StreamOf({1, -1, 0, 0});
    EXPECT_FALSE(t.ReadFromStream(neg.get()));
    auto ms1000 = StreamOf({1, 1, 1, 1000});
    EXPECT_FALSE(t.ReadFromStream(ms1000.get()));
    ExpectTime(t, 0, 0, 1, 0);
    auto short_time = StreamOf({1, 2, 3}, 0);
    EXPECT_FALSE(t.ReadFromStream(short_time.get()));
    ExpectTime(t, 1, 2, 3, 0);
    auto short_bad_time = StreamOf({5, 60}, 0);
    EXPECT_FALSE(t.ReadFromStream(short_bad_time.get()));
    ExpectTime(t, 1, 2, 3, 0);

    auto ok = StreamOf({23, 59, 59, 999});
    EXPECT_TRUE(t.ReadFromStream(ok.get()));
    ExpectTime(t, 23, 59, 59, 999);
}
