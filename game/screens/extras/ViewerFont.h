#pragma once
// The tile fonts the tip and object viewers make for themselves from the
// message fonts of the graphics settings.
namespace hgl
{
class TileFont;
}

namespace avg::tips
{
// 200 glyph tiles at ratio x the canvas height (truncated, at least 1 pixel),
// coloured transparent black; owned by the caller. Null (logged) when the font
// cannot be made.
hgl::TileFont *CreateViewerFont(float ratio);
} // namespace avg::tips
