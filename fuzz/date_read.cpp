// Dates and times loaded from arbitrary bytes: a load either fails or gives a valid
// value that saves back to the same fields, and later normalising writes with any
// value finish at once with a valid result.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "io/MemStream.h"
#include "io/Time.h"

using namespace hgl;

namespace
{
void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// Month and Year writes leave the day as it was, so only a Day write promises a day
// inside its month; any date keeps a day of 1-31.
bool ValidDate(const Date &d, bool after_day_write = false)
{
    const int limit = after_day_write ? int(d.DaysInMonth) : 31;
    return d.Month >= 1 && d.Month <= 12 && d.Day >= 1 && d.Day <= limit &&
           d.DaysInMonth == GetDaysInMonth(d.Year, d.Month);
}

bool ValidTime(const Time &t)
{
    return t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 && t.Minute < 60 && t.Second >= 0 && t.Second < 60 &&
           t.Millisecond >= 0 && t.Millisecond < 1000;
}

// The first 12 bytes saved again must be the bytes that were loaded.
void CheckSavedAgain(DataObject &obj, const uint8_t *loaded, int compare_bytes)
{
    MemStream out;
    out.Create(0, false);
    Check(obj.WriteToStream(&out));
    Check(out.GetSize() == 16);
    Check(std::memcmp(out.GetData(), loaded, size_t(compare_bytes)) == 0);
}

int32_t Word(const uint8_t *p)
{
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;

    MemStream in;
    if (size > 0)
    {
        in.Create(int64(size), false);
        std::memcpy(in.GetData(), data, size);
    }

    // Alternate Date and Time records until the data runs out.
    for (int i = 0; in.GetPosition() >= 0 && in.GetPosition() < in.GetSize(); ++i)
    {
        const int64 at = in.GetPosition();
        const uint8_t *record = in.GetData() + at;
        const bool whole = in.GetSize() - at >= 16;

        if (i % 2 == 0)
        {
            Date d;
            const bool ok = d.ReadFromStream(&in);
            if (!whole)
                Check(!ok);
            Check(ValidDate(d));
            if (!ok)
            {
                Check(d == Date());
                break;
            }
            CheckSavedAgain(d, record, 12);
            if (whole && size - size_t(at) >= 24)
            {
                d.Day = Word(record + 16);
                Check(ValidDate(d, true));
                d.Month = Word(record + 20);
                Check(ValidDate(d));
            }
        }
        else
        {
            Time t;
            const bool ok = t.ReadFromStream(&in);
            if (!whole)
                Check(!ok);
            Check(ValidTime(t));
            if (!ok)
            {
                Check(t == Time());
                break;
            }
            CheckSavedAgain(t, record, 16);
            if (whole && size - size_t(at) >= 24)
            {
                t.Millisecond = Word(record + 16);
                Check(ValidTime(t));
                t.Minute = Word(record + 20);
                Check(ValidTime(t));
            }
        }
    }
    return 0;
}
