#include "graphics/font/TileFont.h"

#include "core/StrFunc.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"

#include <climits>
#include <cmath>
#include <string_view>

namespace hgl
{
namespace
{
constexpr u16char FirstPrintable = 0x20;
constexpr u16char FirstWide = 0x100;

// Marks that close a phrase never begin a line; marks that open one never end it.
constexpr std::u16string_view NoLineStart = u"，。、；：？！）」』】〕〉》”’…—～,.;:?!)]}%";
constexpr std::u16string_view NoLineEnd = u"（「『【〔〈《“‘([{";

bool IsNoLineStart(u16char ch)
{
    return NoLineStart.find(ch) != std::u16string_view::npos;
}
bool IsNoLineEnd(u16char ch)
{
    return NoLineEnd.find(ch) != std::u16string_view::npos;
}

// A break before text[b] that keeps both rules.
bool GoodBreak(const u16char *text, int b)
{
    return !IsNoLineStart(text[b]) && !IsNoLineEnd(text[b - 1]);
}

// Where a line of text[start..] breaks when text[over] no longer fits: moved back
// until both rules hold; when no earlier break keeps them, the closing marks hang
// past the width instead.
int LineBreak(const u16char *text, int start, int over, int n)
{
    for (int b = over; b > start; b--)
        if (GoodBreak(text, b)) return b;
    int b = over;
    while (b < n && IsNoLineStart(text[b]))
        b++;
    return b;
}

Font default_font{u"黑体", 0, 14, false, false};

} // namespace

TileFont::TileFont(const Font &chs, const Font &eng, int count)
    : Cache(count), chs_source(chs, true), eng_source(eng, false), atlas(chs_source.GetHeight(), Capacity),
      char_width(chs.Width > 0 ? chs.Width : chs_source.GetHeight()), char_height(chs_source.GetHeight()),
      line_gap(std::max(1, int(std::lround(0.1 * chs_source.GetHeight())))), narrow_width(FirstWide, -1),
      cell(size_t(char_height) * size_t(char_height))
{
    InitPrivate();
}

TileFont::~TileFont()
{
    Clear();
}

void TileFont::InitPrivate()
{
    CharWidth.Bind<&TileFont::GetCharWidthProp>(this);
    CharHeight.Bind<&TileFont::GetCharHeightProp>(this);
    LineGap.Bind<&TileFont::GetLineGapProp>(this);
}

void TileFont::Release(const u16char &, TileObject *&tile)
{
    atlas.Release(tile);
    tile = nullptr;
}

int TileFont::GetCharWidth(u16char ch)
{
    if (ch < FirstPrintable) return 0;
    if (ch >= FirstWide) return char_height;
    int &w = narrow_width[ch];
    if (w < 0) w = eng_source.GetAdvance(ch);
    return w;
}

float TileFont::GetStringWidth(const u16char *text, int count)
{
    if (!text) return 0;
    float w = 0;
    for (int i = 0; count < 0 ? text[i] != 0 : i < count; i++)
        w += float(GetCharWidth(text[i]));
    return w;
}

TileObject *TileFont::GetTile(u16char ch)
{
    TileObject *tile = nullptr;
    if (Find(ch, tile, true)) return tile;
    while ((count >= capacity || atlas.GetFreeCount() == 0) && tail)
        DeleteLast();
    tile = atlas.Acquire();
    if (!tile) return nullptr;
    FontSource &source = ch < FirstWide ? eng_source : chs_source;
    source.Render(ch, cell.data(), char_height, char_height, char_height);
    if (!atlas.Write(tile, cell.data()))
    {
        atlas.Release(tile);
        return nullptr;
    }
    Add(ch, tile);
    return tile;
}

void TileFont::EmitQuad(const TileObject *t, float x, float y, const Color4f &color)
{
    const float h = float(char_height);
    const Point2f corner[4] = {{x, y}, {x + h, y}, {x + h, y + h}, {x, y + h}};
    const Point2f uv[4] = {{t->u0, t->v0}, {t->u1, t->v0}, {t->u1, t->v1}, {t->u0, t->v1}};
    const Color4f colour[4] = {color, color, color, color};
    draw::Quad(corner, uv, colour);
}

float TileFont::DrawGlyph(float x, float y, u16char ch, const Color4f &color)
{
    draw::RecordScope glyph({draw::CallKind::Glyph,
                             x,
                             y,
                             0,
                             float(char_height),
                             color.a,
                             color.a,
                             float(ch),
                             0,
                             {color.r, color.g, color.b}});
    if (ch < FirstPrintable) return 0;
    TileObject *tile = GetTile(ch); // may write the atlas, which sends earlier draws of it first
    if (tile && atlas.Bind())
    {
        draw::SetBlend(BlendMode::Normal);
        EmitQuad(tile, x, y, color);
    }
    return float(GetCharWidth(ch));
}

float TileFont::DrawChar(float x, float y, u16char ch)
{
    return DrawGlyph(x, y, ch, Color);
}

void TileFont::DrawString(float x, float y, const u16char *text, int count)
{
    if (!text) return;
    for (int i = 0; count < 0 ? text[i] != 0 : i < count; i++)
        x += DrawGlyph(x, y, text[i], Color);
}

bool TileFont::MakeupText(Makeup &makeup, const u16char *text, int width, int alignment)
{
    makeup.Clear();
    if (!text) return false;
    const int n = StrLen(text);
    const float limit = width > 0 ? float(width) : float(INT_MAX);
    const float step = float(char_height + line_gap);
    float top = 0;
    for (int start = 0; start < n; top += step)
    {
        // Fill the line while characters fit; a '\n' ends it and stays on it.
        float w = 0;
        int end = start;
        while (end < n && text[end] != u'\n' && (end == start || w + float(GetCharWidth(text[end])) <= limit))
            w += float(GetCharWidth(text[end++]));
        if (end < n && text[end] == u'\n')
            end++;
        else if (end < n)
            end = LineBreak(text, start, end, n);
        const float line_width = GetStringWidth(text + start, end - start);
        float x = 0;
        if (width > 0 && alignment == AlignCenter)
            x = std::floor((float(width) - line_width) / 2);
        else if (width > 0 && alignment == AlignRight)
            x = float(width) - line_width;
        for (int i = start; i < end; i++)
        {
            const float adv = float(GetCharWidth(text[i]));
            makeup.CharRect.Add(RectScope2<float>(x, top, adv, float(char_height)));
            makeup.CharColor.Add(Color);
            x += adv;
        }
        start = end;
    }
    if (n > 0)
    {
        const RectScope2<float> &last = makeup.CharRect[n - 1];
        makeup.EndRect.Set(last.Left + last.Width, last.Top, 0, float(char_height));
    }
    else
        makeup.EndRect.Set(0, 0, 0, float(char_height));
    return true;
}

void TileFont::DrawMakeup(float x, float y, const Makeup &makeup, const u16char *text, int count)
{
    if (!text) return;
    const int n = count < 0 ? makeup.CharRect.GetCount() : std::min(count, makeup.CharRect.GetCount());
    for (int i = 0; i < n && text[i] != 0; i++)
    {
        const RectScope2<float> &r = makeup.CharRect[i];
        const Color4f &c = i < makeup.CharColor.GetCount() ? makeup.CharColor[i] : Color;
        DrawGlyph(x + float(makeup.x) + r.Left, y + float(makeup.y) + r.Top, text[i], c);
    }
}

void SetDefaultFont(const Font &font)
{
    default_font = font;
}

const Font &GetDefaultFont()
{
    return default_font;
}

TileFont *CreateTileFont(const Font &chs, const Font &eng, int count)
{
    return new TileFont(chs, eng, count);
}
} // namespace hgl
