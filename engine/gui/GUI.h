#pragma once
// The GUI system's start-up: the theme archive that widgets may take their looks
// from, opened from the engine's "GUI" folder when the start-up description asks
// for the GUI.
#include "core/String.h"

namespace hgl
{
class HAC;

namespace gui
{
// With the use-GUI switch of the start-up description (global pointer 1) on, mounts
// the theme archive of that name from the GUI folder (the current folder when there
// is none) and keeps it; false (logged) when it cannot be mounted. With the switch
// off, or no description, logs "不使用GUI系统！" and succeeds.
bool InitGUI(const String &theme);
// Unmounts the theme archive.
void CloseGUI();
// The mounted theme archive, or null.
HAC *GetThemeArchive();
} // namespace gui
} // namespace hgl
