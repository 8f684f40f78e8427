#pragma once
// Icon and cursor pictures for the window, from the engine's own picture files.
#include "core/String.h"
#include "platform/window/WindowTypes.h"

namespace hgl
{
// Reads a TEX file, or the first layer of an HGP file, as an RGBA picture. False
// (the picture left empty) for any other file or a damaged one; the caller then
// keeps the system's default.
bool LoadWindowPicture(const String &filename, platform::WindowPicture &picture);
} // namespace hgl
