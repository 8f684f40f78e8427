#pragma once
// The head of a save slot: "\Save\<slot>.save" is a TDF tree whose root "Save"
// holds the story script, the time of saving and the play time; the in-game
// screen writes the rest of it. The load screens read only this head.
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class Date;
class Time;
} // namespace hgl

namespace avg
{
namespace save_key
{
inline constexpr hgl::u16char Root[] = u"Save";
inline constexpr hgl::u16char Script[] = u"脚本";       // string: the story script
inline constexpr hgl::u16char SaveTime[] = u"存档时间"; // node: "Date" and "Time" objects
inline constexpr hgl::u16char Date[] = u"Date";
inline constexpr hgl::u16char Time[] = u"Time";
inline constexpr hgl::u16char PlayTime[] = u"游戏时间"; // int64: ms played
} // namespace save_key

// "<save folder><slot>.save".
hgl::String SaveFileName(const hgl::String &slot);
bool SaveFileExists(const hgl::String &slot);

// False when the file is missing or is not a save (no TDF tree rooted "Save"
// with a script). Otherwise the script, the date and time of saving (year 0
// and time 0:00 when missing) and the play time in ms (0 when missing).
bool ReadSaveHeader(const hgl::String &slot, hgl::String &script, hgl::Date &date, hgl::Time &time,
                    hgl::int64 &play_time);
} // namespace avg
