#pragma once
// The glyphs of one font description: the face is found by name through the
// system's font configuration and rendered with FreeType. A character the face
// lacks comes from the next face in the configuration's fallback order that has
// it; faces are opened on first use and kept.
#include "core/Types.h"
#include "io/Font.h"

#include <memory>

namespace hgl
{
class FontSource
{
    struct Impl;
    std::unique_ptr<Impl> impl;

  public:
    // han: prefer faces that cover Chinese when the named face is missing.
    FontSource(const Font &font, bool han);
    ~FontSource();
    FontSource(const FontSource &) = delete;
    FontSource &operator=(const FontSource &) = delete;

    // False when no face at all could be opened (every glyph is then empty).
    bool IsValid() const;

    // The cell height in pixels that glyphs are laid into.
    int GetHeight() const;

    // The face's advance of ch in whole pixels (0 without a face).
    int GetAdvance(u16char ch);

    // Renders ch as 8-bit coverage into a cell of cell_width x cell_height bytes
    // (row pitch bytes apart), top of the cell at the line's top; ink outside the
    // cell is cut off. The cell is cleared first. False when nothing was drawn.
    bool Render(u16char ch, uint8 *cell, int pitch, int cell_width, int cell_height);
};
} // namespace hgl
