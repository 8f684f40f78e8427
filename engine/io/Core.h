#pragma once
// Process-wide start-up state: the numbered info strings (kit identity and special
// folders), the global pointer slots, and the engine core's start-up and shut-down.
#include "core/Types.h"

#include <cstddef>

namespace hgl
{
struct SpecialPathBlock;

// Starts the engine core, in this order: random seed, floating-point exceptions
// masked, plug-in registry cleared, the default log (when open_log), the special
// folders into paths (a block of the core's own when null), info strings 5..16,
// global pointers cleared. May run again after CloseCore.
void InitCore(SpecialPathBlock *paths, bool open_log);
// The same with a path block of the content platform's size: fifteen buffers of
// HGL_MAX_PATH units (u16char paths[15][HGL_MAX_PATH]).
void InitCore(u16char (*paths)[HGL_MAX_PATH], bool open_log);
inline void InitCore(std::nullptr_t, bool open_log)
{
    InitCore(static_cast<SpecialPathBlock *>(nullptr), open_log);
}
// Closes the log, releases every plug-in, clears the info strings.
void CloseCore();

// The info string indexes.
enum InfoStringIndex : int
{
    infoKitName = 1,
    infoKitEnglishName,
    infoKitVersion,
    infoKitAuthor,
    infoKitRoot,
    infoPlugInsFolder,
    infoGUIFolder,
    infoStartFolder,
    infoSystemFolder,
    infoDesktopFolder,
    infoTempFolder,
    infoAppDataFolder,
    infoDocumentsFolder,
    infoPicturesFolder,
    infoStartMenuFolder,
    infoExecutablePath,
};

// The global pointer slots.
enum GlobalPointerIndex : int
{
    gpStartUpInfo = 1,
    gpApplication,
    gpWindow,
    gpTileFont,
    gpFlowObject,
};

// Info strings 1..16: 1 kit name, 2 kit name in English, 3 kit version text, 4 kit
// author (constants); 5 kit root, 6 Plug-Ins folder, 7 GUI folder, 8 start folder,
// 9 system folder, 10 desktop, 11 TEMP, 12 application data, 13 documents,
// 14 pictures, 15 start menu, 16 the executable's full path (copies set at start-up).
// Any other index gives null.
const u16char *GetInfoString(int index);
// Stores a copy for 5..16 (null clears); other indexes are ignored.
void SetInfoString(int index, const u16char *text);
// Frees and clears 5..16.
void ClearInfoStrings();

// Global pointer slots 1..5: 1 the start-up description, 2 the application, 3 the
// OpenGL window, 4 the default tile font, 5 the active flow object.
void *GetGlobalPointer(int index);
void SetGlobalPointer(int index, void *pointer);
void ClearGlobalPointers();
} // namespace hgl
