#pragma once
// The game's two archives in the start folder: "Data.hac" (pictures, sounds,
// movies) and "Local.hac" (scripts, lists, "System.List"). Each may be a HAC-3
// file or a folder of loose files.
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class HAC;
}

namespace avg
{
// Mounts both; false (logged, nothing left mounted) when either fails.
bool OpenArchives();
void CloseArchives();

// The mounted archives, null while not mounted.
hgl::HAC *GetDataHAC();
hgl::HAC *GetLocalHAC();

// Reads a whole UTF-16 text file of "Local.hac" into a new buffer (free it with
// delete[]) and returns its length in code units, the byte-order mark included;
// the buffer is terminated. A missing file gives 0 and a buffer holding just a
// byte-order mark and the terminator, so that skipping the first unit always
// leaves a valid, here empty, text.
int ReadLocalFile(const hgl::String &name, hgl::u16char **buffer);
// The same for "Script\" + name.
int ReadScriptFile(const hgl::String &name, hgl::u16char **buffer);
} // namespace avg
