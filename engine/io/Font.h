#pragma once
// A font description: the face name and the size and style wanted. The font
// set-up (tile fonts) reads it; the start-up description holds two of them.
#include "core/String.h"

namespace hgl
{
struct Font
{
    String Name;
    int Width = 0; // 0: the face's own width for the height
    int Height = 0;
    bool Bold = false;
    bool Italic = false;

    Font() = default;
    Font(const u16char *name, int width, int height, bool bold, bool italic)
        : Name(name), Width(width), Height(height), Bold(bold), Italic(italic)
    {
    }
};
} // namespace hgl
