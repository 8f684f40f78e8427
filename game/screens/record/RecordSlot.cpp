#include "game/screens/record/RecordSlot.h"

#include "core/Format.h"
#include "game/core/DataTables.h"
#include "game/core/SaveHeader.h"
#include "io/Time.h"

namespace avg
{
const hgl::u16char kEmptyCaption[] = u"      空";
const hgl::u16char kNoTimeText[] = u"無時間記錄";

namespace
{
constexpr hgl::u16char kCaptionFormat[] = u"      %s";
constexpr hgl::u16char kDateFormat[] = u"%04d-%02d-%02d %02d:%02d";
constexpr hgl::int64 kHourMs = 3600000, kMinuteMs = 60000;

hgl::String Formatted(const hgl::u16char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::u16string text = hgl::VFormat(format, args);
    va_end(args);
    return hgl::String(text);
}

// Chapter names are shown on one line.
hgl::String OneLine(hgl::String text)
{
    text.Replace(u'/', u' ');
    text.Replace(u'/', u'\n');
    text.Replace(u'/', u'\r');
    return text;
}
} // namespace

hgl::String SaveStamp::Text() const
{
    return Formatted(u"%04d%02d%02d%02d%02d%02d", year, month, day, hour, minute, second);
}

hgl::String SlotName(int slot)
{
    return hgl::String(slot);
}

RecordSlot ReadRecordSlot(int slot)
{
    RecordSlot out;
    out.slot = slot;
    out.name = SlotName(slot);

    hgl::String script;
    hgl::Date date;
    hgl::Time time;
    if (!ReadSaveHeader(out.name, script, date, time, out.play_time))
    {
        out.play_time = 0;
        out.caption = kEmptyCaption;
        out.second = out.date = kNoTimeText;
        out.chapter = u" ";
        return out;
    }

    out.filled = true;
    out.stamp = {date.Year, date.Month, date.Day, time.Hour, time.Minute, time.Second};
    hgl::String chapter;
    data::GetChapterName(script, chapter);
    out.caption = Formatted(kCaptionFormat, (chapter.IsEmpty() ? script : chapter).c_str());
    out.date = out.stamp.IsNone() ? hgl::String(u" ")
                                  : Formatted(kDateFormat, out.stamp.year, out.stamp.month, out.stamp.day,
                                              out.stamp.hour, out.stamp.minute);
    out.second = out.date;
    out.chapter = script.IsEmpty() ? hgl::String(u" ") : OneLine(chapter);
    return out;
}

int FindNewestRecord(int count, SaveStamp &newest)
{
    newest = SaveStamp();
    int found = kNoNewestSlot;
    hgl::String best = newest.Text();
    for (int slot = kFirstPlayerSlot; slot < count; ++slot)
    {
        hgl::String script;
        hgl::Date date;
        hgl::Time time;
        hgl::int64 play_time;
        if (!ReadSaveHeader(SlotName(slot), script, date, time, play_time) || date.Year == 0) continue;
        const SaveStamp stamp{date.Year, date.Month, date.Day, time.Hour, time.Minute, time.Second};
        hgl::String text = stamp.Text();
        if (best.Comp(text) >= 0) continue; // an equal stamp keeps the lower slot
        best = text;
        newest = stamp;
        found = slot;
    }
    return found;
}

hgl::String PlayTimeText(hgl::int64 ms)
{
    if (ms < 0) ms = 0;
    return Formatted(u"%lld时%lld分 ", (long long)(ms / kHourMs), (long long)(ms % kHourMs / kMinuteMs));
}
} // namespace avg
