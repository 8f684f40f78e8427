#pragma once
// Small pieces every widget draws with: moving the drawing origin for the length
// of a scope, the font a widget writes in, and a log line that a widget missing
// its font or picture writes only once.
#include "core/Color.h"

namespace hgl
{
class TileFont;

namespace gui
{
// Moves the drawing origin by (x, y) until the end of the scope, through the
// model-view matrix.
class DrawOffset
{
    bool pushed = false;

  public:
    DrawOffset(float x, float y);
    ~DrawOffset();
    DrawOffset(const DrawOffset &) = delete;
    DrawOffset &operator=(const DrawOffset &) = delete;
};

// The widget's own font, else the application's default tile font, else null.
TileFont *ResolveFont(TileFont *own);

// The colour with its alpha multiplied by the widget's alpha.
Color4f Faded(const Color4f &color, float alpha);

// Remembers that one widget has reported a missing resource.
class MissingNotice
{
    bool told = false;

  public:
    // Writes the line (format with one %s, the widget's name) the first time only.
    void Tell(const u16char *format, const u16char *what);
    void Reset() { told = false; }
};
} // namespace gui
} // namespace hgl
