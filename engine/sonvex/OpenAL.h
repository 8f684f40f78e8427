#pragma once
// The audio set-up: OpenAL Soft loaded at run time, one device and one context.
// Without it (no library, no device) the game runs silent: every audio class then
// does nothing, harmlessly.
#include "core/Types.h"

namespace hgl
{
// The library loaded when the caller names none.
constexpr const char *OpenALDefaultLibrary = "libopenal.so.1";

// Loads library (null: OpenAL Soft by its soname; a name with '/' is a path, any
// other name is looked up as the system's loader does), resolves every AL/ALC 1.1
// entry point, logs the output devices when list_devices is set, opens the named
// device (null or empty: the default one) and makes one context current.
// Any failure is logged and leaves audio off (false). A second call starts over.
bool InitOpenAL(const u16char *library = nullptr, const u16char *device = nullptr, bool list_devices = false);

// Destroys the context, closes the device and unloads the library. Called after every
// audio buffer, source and player is gone.
void CloseOpenAL();

// True between a successful InitOpenAL and CloseOpenAL.
bool IsOpenALReady();
} // namespace hgl
