#pragma once
// Where the game keeps what it writes: the "Save" folder in the folder the game
// was started in (info string 8), holding the settings, the game-wide flags, the
// save slots and the message history.
#include "core/String.h"

namespace avg
{
// The start folder with "\Save\" appended.
hgl::String GetSaveFolder();
// The save folder with the file name appended.
hgl::String SavePath(const hgl::String &name);
// Makes the save folder when it is missing; false when it cannot exist.
bool MakeSaveFolder();
} // namespace avg
