#pragma once
// How a glossary tip is written: its text split into a title and a body, and the
// title and body set in vertical columns read from right to left, the way the tip
// viewer draws them. Kept apart from the drawing so that any text can be laid out
// without a canvas.
#include "core/String.h"

namespace avg::tips
{
// Splits at the first full-width colon "：", else at the first ':'. With neither,
// the title is empty and the body is the whole text.
void SplitTipText(const hgl::String &text, hgl::String &title, hgl::String &body);

// The glossary's entry texts carry a viewer's arguments joined by ';'. Splits at
// the first and at the last ';': the text before the first, between the two and
// after the last. With one ';' the middle part is empty; with none the whole text
// is the first part.
void SplitEntryText(const hgl::String &text, hgl::String &first, hgl::String &middle, hgl::String &last);
// Splits at the first ';' only: before it and after it (empty without one).
void SplitEntryTextOnce(const hgl::String &text, hgl::String &first, hgl::String &rest);

// A tip entry whose button picture has a '9' two places before the first '.' of
// its name never opens its tip. A name without a '.', or with one at index 0 or 1,
// has no such place and is not marked.
bool HasNineMark(const hgl::String &picture);

// A body comma, half or full width: not drawn, it starts the next column.
inline bool IsColumnBreak(hgl::u16char ch)
{
    return ch == u',' || ch == u'\uFF0C';
}

// Walks the characters of a text in vertical columns: the first centred on
// centre_x from top, each next character step lower (y kept whole), and, when
// breaks is set, each comma moving the centre shift to the left and y back to
// top. place(ch, x, y) receives each drawn character's left edge and top, where x
// is the centre minus half the advance that advance(ch) gives.
template <typename Advance, typename Place>
void WalkColumns(const hgl::String &text, float centre_x, int top, int step, float shift, bool breaks,
                 Advance &&advance, Place &&place)
{
    const hgl::u16char *s = text.c_str();
    const int n = text.GetLength();
    float centre = centre_x;
    int y = top;
    for (int i = 0; i < n; ++i)
    {
        const hgl::u16char ch = s[i];
        if (breaks && IsColumnBreak(ch))
        {
            centre -= shift;
            y = top;
            continue;
        }
        place(ch, centre - float(advance(ch)) / 2, y);
        y += step;
    }
}
} // namespace avg::tips
