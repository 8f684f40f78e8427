#pragma once
// Loading shared libraries at run time (dlopen underneath).
#include "core/Types.h"
#include <string>

namespace hgl
{
namespace platform
{
using ModuleHandle = void *;

// Why a load failed: the errno seen at the failure (0 when none) and the loader's
// own explanation, already in UTF-16.
struct ModuleError
{
    int code = 0;
    std::u16string text;
};

// Loads the library at path (UTF-8). A name without '/' is taken relative to the
// current folder, never searched for in the system's library folders.
// Backslashes are taken as folder separators. Null on failure, with error filled.
ModuleHandle ModuleOpen(const char *utf8_path, ModuleError *error = nullptr);
// The same with a UTF-16 path.
ModuleHandle ModuleOpen(const u16char *path, ModuleError *error = nullptr);

// Loads a system library by name ("libopenal.so.1"), searched for in the system's
// library folders as the dynamic loader does. Null on failure, with error filled.
ModuleHandle ModuleOpenSystem(const char *name, ModuleError *error = nullptr);

// Address of an exported symbol, or null (also for a null handle or name).
void *ModuleSymbol(ModuleHandle handle, const char *name);

// Unloads; a null handle is ignored.
void ModuleClose(ModuleHandle handle);
} // namespace platform
} // namespace hgl
