// Dates and times loaded from arbitrary bytes: a load either fails, storing nothing
// for bad data and the whole fields before the end for short data, or gives a valid
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
    if (!ok) std::abort();
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

// After a failed load: bad data stores nothing; a short read keeps the whole fields
// read before it. words: the whole 4-byte fields the record had (below 4).
void CheckFailedDate(const Date &d, const uint8_t *record, int words)
{
    const int32_t w[3] = {words > 0 ? Word(record) : 0, words > 1 ? Word(record + 4) : 0,
                          words > 2 ? Word(record + 8) : 0};
    const bool bad = (words > 1 && (w[1] < 1 || w[1] > 12)) || (words > 2 && (w[2] < 1 || w[2] > 31));
    const Date fresh;
    Check(d.Year == (!bad && words > 0 ? w[0] : int(fresh.Year)));
    Check(d.Month == (!bad && words > 1 ? w[1] : int(fresh.Month)));
    Check(d.Day == (!bad && words > 2 ? w[2] : int(fresh.Day)));
}

void CheckFailedTime(const Time &t, const uint8_t *record, int words)
{
    static const int32_t limit[4] = {23, 59, 59, 999};
    int32_t w[4] = {0, 0, 0, 0};
    bool bad = false;
    for (int i = 0; i < words; ++i)
    {
        w[i] = Word(record + 4 * i);
        bad = bad || w[i] < 0 || w[i] > limit[i];
    }
    if (bad)
        for (int32_t &v : w)
            v = 0;
    Check(t.Hour == w[0] && t.Minute == w[1] && t.Second == w[2] && t.Millisecond == w[3]);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096) return 0;

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
            if (!whole) Check(!ok);
            Check(ValidDate(d));
            if (!ok)
            {
                CheckFailedDate(d, record, whole ? 4 : int((in.GetSize() - at) / 4));
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
            if (!whole) Check(!ok);
            Check(ValidTime(t));
            if (!ok)
            {
                CheckFailedTime(t, record, whole ? 4 : int((in.GetSize() - at) / 4));
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
