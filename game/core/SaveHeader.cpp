#include "game/core/SaveHeader.h"

#include "game/core/SaveFolder.h"
#include "io/FileHelpers.h"
#include "io/TDF.h"
#include "io/Time.h"

namespace avg
{
namespace
{
// Year 0 marks a save without a time; the date type has no all-zero value.
void ClearSaveTime(hgl::Date &date, hgl::Time &time)
{
    date = hgl::Date(0, 1, 1);
    time = hgl::Time();
}
} // namespace

hgl::String SaveFileName(const hgl::String &slot)
{
    return SavePath(slot + u".save");
}

bool SaveFileExists(const hgl::String &slot)
{
    return hgl::FileExist(SaveFileName(slot).c_str());
}

bool ReadSaveHeader(const hgl::String &slot, hgl::String &script, hgl::Date &date, hgl::Time &time,
                    hgl::int64 &play_time)
{
    ClearSaveTime(date, time);
    play_time = 0;
    hgl::TDFNode root;
    if (!root.LoadFromFile(SaveFileName(slot).c_str()) || root.GetName() != save_key::Root ||
        !root.GetString(save_key::Script, script))
        return false;
    if (hgl::TDFNode *when = root.FindChild(save_key::SaveTime))
        if (!when->GetObject(save_key::Date, &date) || !when->GetObject(save_key::Time, &time))
            ClearSaveTime(date, time);
    if (!root.GetInt64(save_key::PlayTime, play_time)) play_time = 0;
    return true;
}
} // namespace avg
