#include "graphics/font/FontSource.h"

#include "core/Log.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace hgl
{
namespace
{
constexpr int MinPixelSize = 1;
constexpr int MaxPixelSize = 512;
constexpr int FixedShift = 6; // FreeType's 26.6 fixed point
constexpr int FixedHalf = 32;

int FromFixed(FT_Pos v)
{
    return int((v + FixedHalf) >> FixedShift);
}

std::string ToUTF8(const String &s)
{
    const u16char *p = s.c_str();
    std::string out;
    for (int i = 0; p && i < s.Length; i++)
    {
        const unsigned c = p[i];
        if (c < 0x80)
            out += char(c);
        else if (c < 0x800)
        {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
        else
        {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

struct FaceSlot
{
    std::string file;
    int index = 0;
    FcCharSet *charset = nullptr; // owned by the font set
    FT_Face face = nullptr;       // opened on first use
    bool failed = false;
};
} // namespace

struct FontSource::Impl
{
    Font font;
    int width = 0, height = 0;
    FT_Library library = nullptr;
    FcFontSet *set = nullptr;
    std::vector<FaceSlot> slots;

    ~Impl()
    {
        for (FaceSlot &slot : slots)
            if (slot.face) FT_Done_Face(slot.face);
        if (set) FcFontSetDestroy(set);
        if (library) FT_Done_FreeType(library);
    }

    void FindFaces(bool han)
    {
        FcPattern *pattern = FcPatternCreate();
        const std::string family = ToUTF8(font.Name);
        if (!family.empty())
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
        FcPatternAddDouble(pattern, FC_PIXEL_SIZE, height);
        FcPatternAddInteger(pattern, FC_WEIGHT, font.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, font.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        if (han) FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8 *>("zh-cn"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        set = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result);
        FcPatternDestroy(pattern);
        for (int i = 0; set && i < set->nfont; i++)
        {
            FcChar8 *file = nullptr;
            FaceSlot slot;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
            slot.file = reinterpret_cast<const char *>(file);
            FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &slot.index);
            FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &slot.charset);
            slots.push_back(slot);
        }
    }

    FT_Face Open(FaceSlot &slot)
    {
        if (slot.face || slot.failed) return slot.face;
        if (FT_New_Face(library, slot.file.c_str(), slot.index, &slot.face) != 0 ||
            FT_Set_Pixel_Sizes(slot.face, FT_UInt(width), FT_UInt(height)) != 0)
        {
            if (slot.face) FT_Done_Face(slot.face);
            slot.face = nullptr;
            slot.failed = true;
            PutError(u"打开字体文件失败<%s>", String::FromUTF8(slot.file).c_str());
        }
        return slot.face;
    }

    // The first face in fallback order that has ch, else the first face there is
    // (which draws its missing-glyph box).
    FT_Face FaceFor(u16char ch)
    {
        for (FaceSlot &slot : slots)
            if (slot.charset && FcCharSetHasChar(slot.charset, ch) && Open(slot)) return slot.face;
        for (FaceSlot &slot : slots)
            if (Open(slot)) return slot.face;
        return nullptr;
    }

    bool Load(FT_Face face, u16char ch, FT_Int32 flags)
    {
        if (FT_Load_Char(face, ch, flags) != 0) return false;
        if (font.Bold && !(face->style_flags & FT_STYLE_FLAG_BOLD)) FT_GlyphSlot_Embolden(face->glyph);
        if (font.Italic && !(face->style_flags & FT_STYLE_FLAG_ITALIC)) FT_GlyphSlot_Oblique(face->glyph);
        return true;
    }
};

FontSource::FontSource(const Font &font, bool han) : impl(std::make_unique<Impl>())
{
    impl->font = font;
    impl->height = std::clamp(font.Height, MinPixelSize, MaxPixelSize);
    impl->width = font.Width > 0 ? std::clamp(font.Width, MinPixelSize, MaxPixelSize) : impl->height;
    if (FT_Init_FreeType(&impl->library) != 0)
    {
        impl->library = nullptr;
        PutError(u"FreeType初始化失败");
        return;
    }
    impl->FindFaces(han);
    if (!IsValid()) PutError(u"找不到字体<%s>", font.Name.c_str() ? font.Name.c_str() : u"");
}

FontSource::~FontSource() = default;

bool FontSource::IsValid() const
{
    if (!impl->library) return false;
    for (FaceSlot &slot : impl->slots)
        if (impl->Open(slot)) return true;
    return false;
}

int FontSource::GetHeight() const
{
    return impl->height;
}

int FontSource::GetAdvance(u16char ch)
{
    FT_Face face = impl->FaceFor(ch);
    if (!face || !impl->Load(face, ch, FT_LOAD_NO_BITMAP)) return 0;
    return FromFixed(face->glyph->advance.x);
}

bool FontSource::Render(u16char ch, uint8 *cell, int pitch, int cell_width, int cell_height)
{
    for (int row = 0; row < cell_height; row++)
        std::memset(cell + size_t(row) * size_t(pitch), 0, size_t(cell_width));
    FT_Face face = impl->FaceFor(ch);
    if (!face || !impl->Load(face, ch, FT_LOAD_NO_BITMAP) ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        return false;
    // The baseline splits the cell as the face splits its ascent and descent.
    const FT_Size_Metrics &m = face->size->metrics;
    const FT_Pos span = m.ascender - m.descender;
    const int baseline = span > 0 ? int((int64(m.ascender) * impl->height + span / 2) / span) : impl->height;
    const FT_Bitmap &bm = face->glyph->bitmap;
    const int left = face->glyph->bitmap_left;
    const int top = baseline - face->glyph->bitmap_top;
    bool ink = false;
    for (int y = 0; y < int(bm.rows); y++)
    {
        const int cy = top + y;
        if (cy < 0 || cy >= cell_height) continue;
        const uint8 *src = bm.buffer + int64(y) * bm.pitch;
        for (int x = 0; x < int(bm.width); x++)
        {
            const int cx = left + x;
            if (cx < 0 || cx >= cell_width || src[x] == 0) continue;
            cell[size_t(cy) * size_t(pitch) + size_t(cx)] = src[x];
            ink = true;
        }
    }
    return ink;
}
} // namespace hgl
