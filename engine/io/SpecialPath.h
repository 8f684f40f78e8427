#pragma once
// The special folders the engine needs: where it was started, the kit root, the
// "GUI" and "Plug-Ins" folders, TEMP and the user's own folders.
#include "core/Types.h"

namespace hgl
{
// Slots of the path block, in its fixed order.
enum SpecialPathIndex
{
    spStartFolder = 0,
    spWindowsFolder, // no equivalent here: always empty
    spFontsFolder,
    spSystemFolder,
    spTempFolder,
    spAppDataFolder,
    spDocumentsFolder,
    spPicturesFolder,
    spMusicFolder,
    spVideosFolder,
    spStartMenuFolder,
    spDesktopFolder,
    spKitRoot,
    spGUIFolder,
    spPlugInsFolder,

    spCount
};

// Units per slot, terminator included. Paths here are longer than the 260 units
// of the content's platform; a folder that does not fit leaves its slot empty.
constexpr int HGL_SPECIAL_PATH_UNITS = 4096;

struct SpecialPathBlock
{
    u16char path[spCount][HGL_SPECIAL_PATH_UNITS];

    const u16char *operator[](int index) const { return path[index]; }
    u16char *operator[](int index) { return path[index]; }
};

// Fills every slot and reports them to the log. The start folder is the current
// folder (the root given as ""); the kit root is the environment variable OVGDK,
// else the start folder; TEMP is TMPDIR, else TEMP, else /tmp; the user's folders
// come from the XDG settings.
void InitSpecialPath(SpecialPathBlock *block);
// The same for a block of the content platform's size, fifteen slots of
// HGL_MAX_PATH units: u16char paths[spCount][HGL_MAX_PATH]; InitSpecialPath(paths).
// A folder longer than a slot leaves that slot empty.
void InitSpecialPath(u16char (*block)[HGL_MAX_PATH]);

// Looks for the folder `name` in the start folder, then the executable's folder
// (unless its text equals the start folder's), then the kit root (unless it
// equals the executable's folder). On success out holds the folder; else out is
// empty and three lines name the places searched. out holds out_units units.
bool FindFolder(u16char *out, int out_units, const u16char *start_folder, const u16char *exe_folder,
                const u16char *kit_root, const u16char *name);
// The same into a path buffer of HGL_MAX_PATH units.
inline bool FindFolder(u16char *out, const u16char *start_folder, const u16char *exe_folder,
                       const u16char *kit_root, const u16char *name)
{
    return FindFolder(out, HGL_MAX_PATH, start_folder, exe_folder, kit_root, name);
}
} // namespace hgl
