#pragma once
// hgl::TileFont: text measured, laid out and drawn with glyphs cached as tiles of
// one alpha texture. The cache holds as many glyphs as the atlas has tiles; the
// least recently used glyph gives its tile to a new one.
//
// Code units below U+0100 come from the English font and advance by its face's
// advance; every other unit comes from the Chinese font and is full width: it
// advances by the character height.
#include "core/Color.h"
#include "core/FinUseData.h"
#include "core/Property.h"
#include "graphics/font/FontSource.h"
#include "graphics/font/Makeup.h"
#include "graphics/font/TileAtlas.h"
#include "io/Font.h"

#include <vector>

namespace hgl
{
class TileFont : public FinUseData<u16char, TileObject *>
{
    using Cache = FinUseData<u16char, TileObject *>;

    FontSource chs_source, eng_source;
    TileAtlas atlas;
    int char_width, char_height, line_gap;
    std::vector<int> narrow_width; // advances below U+0100, -1 until measured
    std::vector<uint8> cell;

    int GetCharWidthProp() const { return char_width; }
    int GetCharHeightProp() const { return char_height; }
    int GetLineGapProp() const { return line_gap; }
    void InitPrivate();

    // The cached tile of ch, rendered into a free tile (evicting when none is free) on
    // a miss; null when the glyph cannot be had.
    TileObject *GetTile(u16char ch);
    void EmitQuad(const TileObject *tile, float x, float y, const Color4f &color);

    // Queues one glyph (rendering it into the atlas first when it is not there); the advance.
    float DrawGlyph(float x, float y, u16char ch, const Color4f &color);

  public:
    // Alignments of MakeupText.
    static constexpr int AlignLeft = 1;
    static constexpr int AlignCenter = 2;
    static constexpr int AlignRight = 3;

    Color4f Color{1, 1, 1, 1}; // colour of the next draws

    Property<int> CharWidth;  // read only: full-width advance
    Property<int> CharHeight; // read only
    Property<int> LineGap;    // read only: max(1, round(height / 10))

    TileFont(const Font &chs, const Font &eng, int count);
    ~TileFont() override;

    // Gives the evicted glyph's tile back to the atlas.
    void Release(const u16char &ch, TileObject *&tile) override;

    int GetCharWidth(u16char ch);
    // count -1: up to the terminator.
    float GetStringWidth(const u16char *text, int count = -1);

    // Draws ch with its cell's top-left at (x, y) in the current colour; the advance.
    float DrawChar(float x, float y, u16char ch);
    void DrawString(float x, float y, const u16char *text, int count = -1);

    // Lays the text out in lines no wider than width (a lone character wider than
    // the width still gets its line): forced breaks at '\n'; no line starts with a
    // closing punctuation mark and none ends with an opening one; alignment AlignLeft,
    // AlignCenter or AlignRight (anything else: left); a width below 1 does not wrap. Lines are CharHeight +
    // LineGap apart. Colours are the current colour. False for a null text.
    bool MakeupText(Makeup &makeup, const u16char *text, int width, int alignment);
    // Draws the first count characters (-1: all laid out) at their rectangles,
    // offset by (x, y) and the makeup's origin, each in its own colour.
    void DrawMakeup(float x, float y, const Makeup &makeup, const u16char *text, int count = -1);
};

// Copies the description into the default font.
void SetDefaultFont(const Font &font);
const Font &GetDefaultFont();

// A tile font of count glyph tiles, owned by the caller.
TileFont *CreateTileFont(const Font &chs, const Font &eng, int count);
} // namespace hgl
