// Time and Date at the extremes of their int fields and across the day, month and
// year boundaries, plus the 16-byte forms of values a Month write can leave behind.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "io/MemStream.h"
#include "io/Time.h"

using namespace hgl;

namespace
{
std::vector<int32> Words(MemStream &m)
{
    std::vector<int32> out;
    m.Position = 0;
    int32 w;
    while (m.Read(&w, 4) == 4) out.push_back(w);
    return out;
}

#define EXPECT_TIME(t, h, m, s, ms)                                                                  \
    do {                                                                                             \
        EXPECT_EQ(int((t).Hour), h);                                                                 \
        EXPECT_EQ(int((t).Minute), m);                                                               \
        EXPECT_EQ(int((t).Second), s);                                                               \
        EXPECT_EQ(int((t).Millisecond), ms);                                                         \
    } while (0)

#define EXPECT_DATE(d, y, m, day, dim)                                                               \
    do {                                                                                             \
        EXPECT_EQ(int((d).Year), y);                                                                 \
        EXPECT_EQ(int((d).Month), m);                                                                \
        EXPECT_EQ(int((d).Day), day);                                                                \
        EXPECT_EQ(int((d).DaysInMonth), dim);                                                        \
    } while (0)
} // namespace

TEST(TimeEdge, ExtremeWritesAndCarries)
{
    Time zero;
    EXPECT_TIME(zero, 0, 0, 0, 0);
    Time z0(0);
    EXPECT_TIME(z0, 0, 0, 0, 0);
    Time back(-1); // one millisecond before midnight
    EXPECT_TIME(back, 23, 59, 59, 999);
    Time day(86400000);
    EXPECT_TIME(day, 0, 0, 0, 0);
    Time t25(((25 * 60 + 1) * 60 + 1) * 1000 + 1);
    EXPECT_TIME(t25, 1, 1, 1, 1);
    Time big(INT_MAX); // 24 days 20:31:23.647
    EXPECT_TIME(big, 20, 31, 23, 647);

    Time t;
    t.Hour = INT_MIN;
    EXPECT_EQ(int(t.Hour), 16);
    t.Hour = INT_MAX;
    EXPECT_EQ(int(t.Hour), 7);
    t.Hour = 24;
    EXPECT_EQ(int(t.Hour), 0);
    t.Hour = -1;
    EXPECT_EQ(int(t.Hour), 23);

    Time m;
    m.Minute = INT_MIN; // 35791395 hours back and 52 minutes
    EXPECT_TIME(m, 21, 52, 0, 0);

    // One millisecond past 23:59:59.999 carries through every field.
    Time last;
    last.Hour = 23;
    last.Minute = 59;
    last.Second = 59;
    last.Millisecond = 999;
    last.Millisecond = 1000;
    EXPECT_TIME(last, 0, 0, 0, 0);
    last.Second = -1;
    EXPECT_TIME(last, 23, 59, 59, 0);
    last.Millisecond = INT_MIN;
    EXPECT_TIME(last, 3, 28, 35, 352);
}

TEST(DateEdge, CalendarCarries)
{
    Date d;
    EXPECT_DATE(d, 2000, 1, 1, 31);

    Date y;
    y.Day = 366; // a whole year of 365 days on from 2000-01-01 (a leap year)
    EXPECT_DATE(y, 2000, 12, 31, 31);
    y.Day = 32;
    EXPECT_DATE(y, 2001, 1, 1, 31);
    y.Day = 0;
    EXPECT_DATE(y, 2000, 12, 31, 31);
    y.Day = -365; // 366 days before 2000-12-01
    EXPECT_DATE(y, 1999, 12, 1, 31);

    // Year is stored as written; the following Month write uses it.
    Date g;
    g.Year = 1900;
    g.Month = 2;
    EXPECT_DATE(g, 1900, 2, 1, 28);
    g.Year = 2000;
    g.Month = 2;
    EXPECT_EQ(int(g.DaysInMonth), 29);
    g.Year = 2100;
    g.Month = 2;
    EXPECT_EQ(int(g.DaysInMonth), 28);
    g.Day = 29;
    EXPECT_DATE(g, 2100, 3, 1, 31);

    // Month writes keep the day as it is, even past the month's end.
    Date j;
    j.Year = 2010;
    j.Month = 1;
    j.Day = 31;
    j.Month = 2;
    EXPECT_DATE(j, 2010, 2, 31, 28);
    j.Month = 25; // two years on
    EXPECT_DATE(j, 2012, 1, 31, 31);
    j.Month = -11;
    EXPECT_DATE(j, 2011, 1, 31, 31);
    j.Month = 12;
    j.Day = 32;
    EXPECT_DATE(j, 2012, 1, 1, 31);

    // A far write ends at once with a valid date.
    Date far;
    far.Month = INT_MAX;
    EXPECT_GE(int(far.Month), 1);
    EXPECT_LE(int(far.Month), 12);
    far.Day = INT_MIN;
    EXPECT_GE(int(far.Day), 1);
    EXPECT_LE(int(far.Day), int(far.DaysInMonth));
}

TEST(DateEdge, StreamFormsOfUnusualValues)
{
    // 2010-02-31, reachable through a Month write, saves and loads unchanged.
    Date j;
    j.Year = 2010;
    j.Month = 1;
    j.Day = 31;
    j.Month = 2;
    MemStream m;
    ASSERT_TRUE(j.WriteToStream(&m));
    EXPECT_EQ(Words(m), (std::vector<int32>{2010, 2, 31, 28}));
    Date back;
    m.Position = 0;
    ASSERT_TRUE(back.ReadFromStream(&m));
    EXPECT_DATE(back, 2010, 2, 31, 28);

    // Days in month always follows year and month, not the stored word.
    MemStream forged;
    const int32 w[4] = {2008, 2, 10, 0};
    forged.Write(w, 16);
    forged.Position = 0;
    Date f;
    ASSERT_TRUE(f.ReadFromStream(&forged));
    EXPECT_DATE(f, 2008, 2, 10, 29);
    f.Day = 30; // and a later Day write ends, carrying correctly
    EXPECT_DATE(f, 2008, 3, 1, 31);

    // The default objects' forms.
    MemStream td;
    Time t;
    Date d;
    ASSERT_TRUE(td.WriteObject(&t));
    ASSERT_TRUE(td.WriteObject(&d));
    EXPECT_EQ(Words(td), (std::vector<int32>{0, 0, 0, 0, 2000, 1, 1, 31}));

    // A fixed stream with room for 15 bytes: the fourth field does not fit.
    MemStream small(15, true);
    EXPECT_FALSE(t.WriteToStream(&small));
    MemStream small2(15, true);
    EXPECT_FALSE(d.WriteToStream(&small2));
}
