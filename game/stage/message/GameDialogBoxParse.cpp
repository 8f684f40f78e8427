// A message as the script passes it, turned into what the window shows: the
// speaker split off, the markup removed, the body joined to the novel page or put
// in place of the text, laid out in the rectangle of its mode.
#include "game/stage/message/GameDialogBox.h"

#include "core/Log.h"
#include "game/core/GameResources.h"
#include "game/stage/char/CharManage.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"

#include <algorithm>

namespace avg
{
namespace
{
constexpr hgl::u16char kNameOpen = u'【';
constexpr hgl::u16char kNameClose = u'】';

// Codes removed from the body, in this order. Of the first two groups only the
// first code present is removed.
const hgl::u16char *const kNewLineCodes[] = {u"%N", u"%n"};
const hgl::u16char *const kPageEndCodes[] = {u"%K%P", u"%k%P", u"%K%p", u"%k%p"};
const hgl::u16char kFixedCode[] = u"%LC";
const hgl::u16char *const kPlainCodes[] = {u"%LE",   u"%Le",   u"%lE",   u"%le",   u"%T",  u"%t",
                                           u"%S060", u"%O060", u"%S030", u"%O030", u"%FS", u"%FE",
                                           u"%K",    u"%W",    u"%X66",  u"%XE"};

template <size_t N> void RemoveFirstPresent(hgl::String &body, const hgl::u16char *const (&codes)[N])
{
    for (const hgl::u16char *code : codes)
        if (body.ClearString(code)) return;
}

// Removes the markup; true when "%LC" was there.
bool RemoveMarkup(hgl::String &body)
{
    RemoveFirstPresent(body, kNewLineCodes);
    RemoveFirstPresent(body, kPageEndCodes);
    const bool fixed = body.ClearString(kFixedCode);
    for (const hgl::u16char *code : kPlainCodes)
        body.ClearString(code);
    return fixed;
}

int Height(hgl::TileFont *font)
{
    return font ? int(font->CharHeight) : 0;
}

int Gap(hgl::TileFont *font)
{
    return font ? int(font->LineGap) : 0;
}
} // namespace

bool GameDialogBox::ParseMessage(const hgl::String &message)
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float BW = box_width, BH = box_height;

    // 1. Rows the line takes on the novel page; past 12 the page starts again.
    if (novel)
    {
        novel_chars = message.GetLength();
        const float h = float(Height(NovelFont));
        const int rows = h * float(novel_chars) <= BW - 2 * h ? 1 : 2;
        novel_rows += rows;
        if (novel_rows > kPageRows)
        {
            speaker.Clear();
            page_text.Clear();
            join = false;
            novel_rows = rows;
        }
    }

    // 2. The speaker runs from the opening bracket to the last closing one.
    hgl::String body;
    if (message.IsEmpty())
        speaker.Clear();
    else if (message.GetChar(0) == kNameOpen)
    {
        const int close = message.FindRightChar(kNameClose);
        if (close > 0)
        {
            speaker = hgl::String(message.c_str() + 1, close - 1);
            body = hgl::String(message.c_str() + close + 1, message.GetLength() - close - 1);
        }
        else
        {
            hgl::PutError(u"没有找到】符号,对话内容为\"%s\"", message.c_str());
            speaker = hgl::String(message.c_str() + 1, message.GetLength() - 1);
        }
    }
    else
    {
        speaker.Clear();
        body = message;
    }

    // 3. The markup.
    const bool fixed = RemoveMarkup(body);

    // 4. A new text, or the line added to the page.
    if (!join)
    {
        (novel ? page_text : text) = body;
        shown_count.value = 0;
    }
    else
    {
        page_text += u"\n";
        page_text += body;
    }

    // 5. What a save keeps of the line.
    raw_text = novel ? page_text : message;

    // 6. The rectangle of the mode.
    hgl::TileFont *font;
    if (centred)
    {
        font = LargeTextFont;
        const float width = BW - 100, height = 100;
        text_rect.Set((BW - width) / 2, (BH - height) / 2, width, height);
    }
    else if (novel)
    {
        font = NovelFont;
        const float h = float(Height(font)), g = float(Gap(font));
        const float width = BW - 2 * h, height = kPageRows * h + 2 * g;
        text_rect.Set(h, (BH - height) / 2, width, height);
    }
    else
    {
        hgl::TileFont *dialog = TextFont;
        const float h = float(Height(dialog)), g = float(Gap(dialog));
        const float box_text_height = 4 * h + g;
        if (face_pos >= 0) face_rows = CountFaceLines(text) + 1;
        if (face_pos < 0)
            text_rect.Set(H / 3, BH - box_text_height + g, W - H / 3, box_text_height);
        else if (face_pos == CharIconManage::kPortrait)
        {
            const float k = chars && chars->IsPortraitRight() ? 2 : 1;
            text_rect.Set(H / 3, BH - box_text_height + g, W - k * H / 3, box_text_height);
        }
        else
        {
            const float width = W * 270 / 1024;
            const float height = g * float(face_rows + 1) + h * float(face_rows);
            const float top = 4 * g + h + 10 * H / 768 + 0.2f * H + H / 30;
            const float left = face_pos == CharIconManage::kLeft ? 2 * g + 10 * W / 1024
                                                                 : 2 * g + W - 10 * W / 1024 - 290 * W / 1024;
            text_rect.Set(left, top, width, height);
        }
        font = shout ? LargeTextFont : dialog;
    }

    // 7. The layout.
    const hgl::String &shown_text = novel ? page_text : text;
    const int alignment = centred ? hgl::TileFont::AlignCenter : hgl::TileFont::AlignLeft;
    if (font)
        font->MakeupText(makeup, shown_text.c_str() ? shown_text.c_str() : u"", int(text_rect.Width),
                         alignment);
    else
        makeup.Clear();
    draw_routine = centred ? drLarge : novel ? drNovel : shout ? drLarge : drDialog;

    // 8. The reveal: everything at once while skipping.
    shown_count.Max = float(makeup.Count);
    if (skip_mode) shown_count.value = shown_count.max;
    return fixed;
}

int GameDialogBox::CountFaceLines(const hgl::String &line) const
{
    hgl::TileFont *font = TextFont;
    if (!font) return 1;
    const float limit = float(hgl::GetCanvasWidth()) * 270 / 1024;
    const float g = float(font->LineGap);
    int rows = 1;
    float width = 0;
    bool row_start = true;
    for (int i = 0; i < line.GetLength(); ++i)
    {
        if (!row_start) width += g;
        width += float(font->GetCharWidth(line.GetChar(i)));
        row_start = false;
        if (width > limit || width + g > limit)
        {
            ++rows;
            width = 0;
            row_start = true;
        }
    }
    return rows;
}
} // namespace avg
