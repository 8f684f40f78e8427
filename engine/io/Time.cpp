#include "io/Time.h"

#include <climits>
#include <cmath>
#include <ctime>

#include "core/Log.h"
#include "platform/Clock.h"

namespace hgl
{
// ---- clocks ------------------------------------------------------------------------

namespace
{
uint64 Nanoseconds()
{
    return uint64(std::llround(GetClock().Now() * 1e9));
}
} // namespace

uint64 GetTime()
{
    return Nanoseconds() / 1000000u;
}

uint64 GetMicroTime()
{
    return Nanoseconds() / 1000u;
}

double GetDoubleTime()
{
    return GetClock().Now();
}

namespace
{
// Division rounding toward minus infinity, and the matching non-negative remainder.
int64 FloorDiv(int64 a, int64 b)
{
    int64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int64 FloorMod(int64 a, int64 b)
{
    return a - FloorDiv(a, b) * b;
}

// Stream fields are little-endian int32 whatever the machine.
void PutLE32(uint8 *p, int32 v)
{
    const uint32 u = uint32(v);
    p[0] = uint8(u);
    p[1] = uint8(u >> 8);
    p[2] = uint8(u >> 16);
    p[3] = uint8(u >> 24);
}

int32 GetLE32(const uint8 *p)
{
    return int32(uint32(p[0]) | (uint32(p[1]) << 8) | (uint32(p[2]) << 16) | (uint32(p[3]) << 24));
}

bool WriteFields(Stream *stream, const int32 (&fields)[4])
{
    if (!stream) return false;
    for (int32 v : fields)
    {
        uint8 bytes[4];
        PutLE32(bytes, v);
        if (stream->Write(bytes, 4) != 4) return false;
    }
    return true;
}

// Reads up to four fields; returns how many were read whole (a short read stops).
int ReadFields(Stream *stream, int32 (&fields)[4])
{
    int n = 0;
    for (int32 &v : fields)
    {
        uint8 bytes[4];
        if (!stream->ReadFully(bytes, 4)) break;
        v = GetLE32(bytes);
        ++n;
    }
    return n;
}

bool LocalNow(tm &out, long &nanoseconds)
{
    timespec ts;
    if (clock_gettime(CLOCK_REALTIME, &ts) != 0) return false;
    const time_t secs = ts.tv_sec;
    if (!localtime_r(&secs, &out)) return false;
    nanoseconds = ts.tv_nsec;
    return true;
}

int ClampToInt(int64 v)
{
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return int(v);
}

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar.
int64 DaysFromCivil(int64 y, int m, int d)
{
    y -= m <= 2;
    const int64 era = FloorDiv(y, 400);
    const int64 yoe = y - era * 400;
    const int64 doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64 z, int64 &y, int &m, int &d)
{
    z += 719468;
    const int64 era = FloorDiv(z, 146097);
    const int64 doe = z - era * 146097;
    const int64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = yoe + era * 400 + (m <= 2);
}
} // namespace

// ---- Time --------------------------------------------------------------------------

void Time::InitPrivate()
{
    Hour.Bind<&Time::GetHour, &Time::SetHour>(this);
    Minute.Bind<&Time::GetMinute, &Time::SetMinute>(this);
    Second.Bind<&Time::GetSecond, &Time::SetSecond>(this);
    Millisecond.Bind<&Time::GetMillisecond, &Time::SetMillisecond>(this);
}

Time::Time()
{
    InitPrivate();
}

Time::Time(int ms)
{
    InitPrivate();
    if (ms != 0) Millisecond = ms;
}

Time::Time(const Time &o)
    : DataObject(), hour(o.hour), minute(o.minute), second(o.second), millisecond(o.millisecond)
{
    InitPrivate();
}

Time &Time::operator=(const Time &o)
{
    hour = o.hour;
    minute = o.minute;
    second = o.second;
    millisecond = o.millisecond;
    return *this;
}

// Each write carries whole units into the next larger field, which normalises in turn;
// the arithmetic gives what adding or taking one unit at a time would give.
void Time::NormaliseHour(int64 v)
{
    hour = int(FloorMod(v, 24));
}

void Time::NormaliseMinute(int64 v)
{
    const int64 carry = FloorDiv(v, 60);
    minute = int(v - carry * 60);
    if (carry) NormaliseHour(int64(hour) + FloorMod(carry, 24));
}

void Time::NormaliseSecond(int64 v)
{
    const int64 carry = FloorDiv(v, 60);
    second = int(v - carry * 60);
    if (carry) NormaliseMinute(int64(minute) + FloorMod(carry, 24 * 60));
}

void Time::NormaliseMillisecond(int64 v)
{
    const int64 carry = FloorDiv(v, 1000);
    millisecond = int(v - carry * 1000);
    if (carry) NormaliseSecond(int64(second) + FloorMod(carry, 24 * 60 * 60));
}

void Time::SetToNow()
{
    tm now;
    long ns;
    if (!LocalNow(now, ns)) return;
    hour = now.tm_hour;
    minute = now.tm_min;
    second = now.tm_sec > 59 ? 59 : now.tm_sec; // a leap second reads as :59
    millisecond = int(ns / 1000000);
}

bool Time::WriteToStream(Stream *stream)
{
    const int32 fields[4] = {hour, minute, second, millisecond};
    return WriteFields(stream, fields);
}

// The fields read are stored in place, so after a short read the ones already read
// keep their new values. A field outside its range fails the read before anything
// is stored.
bool Time::ReadFromStream(Stream *stream)
{
    if (!stream) return false;

    int32 f[4] = {0, 0, 0, 0};
    const int n = ReadFields(stream, f);

    static const int32 limit[4] = {23, 59, 59, 999};
    for (int i = 0; i < n; ++i)
        if (f[i] < 0 || f[i] > limit[i])
        {
            PutError(u"时间数据无效<%d:%d:%d.%d>", f[0], f[1], f[2], f[3]);
            return false;
        }

    int *const field[4] = {&hour, &minute, &second, &millisecond};
    for (int i = 0; i < n; ++i)
        *field[i] = f[i];
    return n == 4;
}

// ---- Date --------------------------------------------------------------------------

bool IsLeapYear(int64 year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int GetDaysInMonth(int64 year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsLeapYear(year)) return 29;
    return days[month - 1];
}

void Date::InitPrivate()
{
    Year.Bind<&Date::GetYear, &Date::SetYear>(this);
    Month.Bind<&Date::GetMonth, &Date::SetMonth>(this);
    Day.Bind<&Date::GetDay, &Date::SetDay>(this);
    DaysInMonth.Bind<&Date::GetDaysInMonthValue>(this);
}

Date::Date()
{
    InitPrivate();
    Year = 2000;
    Month = 1;
    Day = 1;
}

Date::Date(int y, int m, int d)
{
    InitPrivate();
    Year = y;
    Month = m;
    Day = d;
}

Date::Date(const Date &o)
    : DataObject(), year(o.year), month(o.month), day(o.day), days_in_month(o.days_in_month)
{
    InitPrivate();
}

Date &Date::operator=(const Date &o)
{
    year = o.year;
    month = o.month;
    day = o.day;
    days_in_month = o.days_in_month;
    return *this;
}

// Days in month is derived from the year too, so it follows a Year write (February
// changes with the year); the day itself is left as it is.
void Date::StoreYear(int64 v)
{
    year = ClampToInt(v);
    days_in_month = GetDaysInMonth(year, month);
}

void Date::SetYear(int v)
{
    StoreYear(v);
}

void Date::SetMonth(int v)
{
    const int64 carry = FloorDiv(int64(v) - 1, 12);
    month = int(int64(v) - carry * 12);
    StoreYear(int64(year) + carry);
}

// The result is the first day of the current month moved on by v - 1 days, which is
// what stepping month by month gives.
void Date::SetDay(int v)
{
    if (v >= 1 && v <= days_in_month)
    {
        day = v;
        return;
    }

    const int64 first = DaysFromCivil(year, month, 1);
    int64 y;
    int m, d;
    CivilFromDays(first + (int64(v) - 1), y, m, d);

    // Past the years an int holds the date stops at the first or last day it can show.
    if (y > INT_MAX)
    {
        y = INT_MAX;
        m = 12;
        d = 31;
    }
    else if (y < INT_MIN)
    {
        y = INT_MIN;
        m = 1;
        d = 1;
    }
    month = m;
    day = d;
    StoreYear(y);
}

void Date::SetToday()
{
    tm now;
    long ns;
    if (!LocalNow(now, ns)) return;
    year = now.tm_year + 1900;
    month = now.tm_mon + 1;
    day = now.tm_mday;
    days_in_month = GetDaysInMonth(year, month);
}

bool Date::WriteToStream(Stream *stream)
{
    const int32 fields[4] = {year, month, day, days_in_month};
    return WriteFields(stream, fields);
}

// As for Time, the fields read are stored in place and a field out of range fails the
// read before anything is stored. The stored days-in-month is not trusted but
// recomputed from the year and month: a bad month would index past the month table.
// The day may lie past the end of its month (a Month or Year write leaves the day as
// it was, so a date can be saved that way), but never outside 1-31.
bool Date::ReadFromStream(Stream *stream)
{
    if (!stream) return false;

    int32 f[4] = {0, 0, 0, 0};
    const int n = ReadFields(stream, f);

    if ((n > 1 && (f[1] < 1 || f[1] > 12)) || (n > 2 && (f[2] < 1 || f[2] > 31)))
    {
        PutError(u"日期数据无效<%d-%d-%d>", f[0], f[1], f[2]);
        return false;
    }

    if (n > 0) year = f[0];
    if (n > 1) month = f[1];
    if (n > 2) day = f[2];
    days_in_month = GetDaysInMonth(year, month);
    return n == 4;
}
} // namespace hgl
