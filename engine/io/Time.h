#pragma once
// Elapsed-time clocks, and the time-of-day and calendar-date value classes.
#include "core/Property.h"
#include "core/Types.h"
#include "io/DataObject.h"

namespace hgl
{
// The process-wide clock (platform/Clock.h) in three units; the system clock counts
// from its first reading on the monotonic clock, so changing the system time never
// makes these jump.
uint64 GetTime();       // milliseconds
uint64 GetMicroTime();  // microseconds
double GetDoubleTime(); // seconds

// A time of day. Writes through the properties normalise with carry: Minute = -1 on
// 00:00 gives 23:59; carries stop at the day (hours wrap round 24).
class Time : public DataObject
{
    int hour = 0, minute = 0, second = 0, millisecond = 0;

    int GetHour() const { return hour; }
    int GetMinute() const { return minute; }
    int GetSecond() const { return second; }
    int GetMillisecond() const { return millisecond; }

    void SetHour(int v) { NormaliseHour(v); }
    void SetMinute(int v) { NormaliseMinute(v); }
    void SetSecond(int v) { NormaliseSecond(v); }
    void SetMillisecond(int v) { NormaliseMillisecond(v); }

    void NormaliseHour(int64 v);
    void NormaliseMinute(int64 v);
    void NormaliseSecond(int64 v);
    void NormaliseMillisecond(int64 v);

    void InitPrivate();

  public:
    Property<int> Hour;
    Property<int> Minute;
    Property<int> Second;
    Property<int> Millisecond;

    Time();
    // A millisecond count within a day (larger counts wrap round the day).
    explicit Time(int ms);
    Time(const Time &o);
    Time &operator=(const Time &o);
    ~Time() override = default;

    void SetToNow();

    bool operator==(const Time &o) const
    {
        return hour == o.hour && minute == o.minute && second == o.second && millisecond == o.millisecond;
    }

    // 16 bytes: hour, minute, second, millisecond as little-endian int32.
    bool WriteToStream(Stream *stream) override;
    // Reads the 16-byte form. A short read fails; the fields read before it keep their
    // new values. A field out of range fails the read before anything is stored.
    bool ReadFromStream(Stream *stream) override;
};

// Gregorian leap year.
bool IsLeapYear(int64 year);
// Days in the month (1-12) of year; 0 for a month outside 1-12.
int GetDaysInMonth(int64 year, int month);

// A calendar date. Month and Day writes normalise with carry into the month and the
// year (Day = 32 on 2010-01-31 gives 2010-02-01; Day = 0 gives the last day of the
// month before); a Year write is stored as it is. Month and Year writes leave the day
// alone, so 2010-01-31 with Month = 2 reads 2010-02-31 until the next Day write.
class Date : public DataObject
{
    int year = 2000, month = 1, day = 1, days_in_month = 31;

    int GetYear() const { return year; }
    int GetMonth() const { return month; }
    int GetDay() const { return day; }
    int GetDaysInMonthValue() const { return days_in_month; }

    void SetYear(int v);
    void SetMonth(int v);
    void SetDay(int v);

    void StoreYear(int64 v);
    void InitPrivate();

  public:
    Property<int> Year;
    Property<int> Month;
    Property<int> Day;
    Property<const int> DaysInMonth;

    Date(); // 2000-01-01
    Date(int y, int m, int d);
    Date(const Date &o);
    Date &operator=(const Date &o);
    ~Date() override = default;

    void SetToday();

    bool operator==(const Date &o) const { return year == o.year && month == o.month && day == o.day; }

    // 16 bytes: year, month, day, days in month as little-endian int32.
    bool WriteToStream(Stream *stream) override;
    // Reads the 16-byte form. A short read fails; the fields read before it keep their
    // new values. A month outside 1-12 or a day outside 1-31 fails the read before
    // anything is stored.
    // Days in month is recomputed from the year and month, never taken from the stream.
    bool ReadFromStream(Stream *stream) override;
};
} // namespace hgl
