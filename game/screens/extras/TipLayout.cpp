#include "game/screens/extras/TipLayout.h"

namespace avg::tips
{
void SplitTipText(const hgl::String &text, hgl::String &title, hgl::String &body)
{
    int at = text.FindChar(u'\uFF1A');
    if (at < 0) at = text.FindChar(u':');
    if (at < 0)
    {
        title = hgl::String();
        body = text;
        return;
    }
    const hgl::u16char *s = text.c_str();
    title = hgl::String(s, at);
    body = hgl::String(s + at + 1, text.GetLength() - at - 1);
}

void SplitEntryText(const hgl::String &text, hgl::String &first, hgl::String &middle, hgl::String &last)
{
    const hgl::u16char *s = text.c_str();
    const int n = text.GetLength();
    const int a = text.FindChar(u';'), b = text.FindRightChar(u';');
    if (a < 0)
    {
        first = text;
        middle = last = hgl::String();
        return;
    }
    first = hgl::String(s, a);
    middle = b > a ? hgl::String(s + a + 1, b - a - 1) : hgl::String();
    last = hgl::String(s + b + 1, n - b - 1);
}

void SplitEntryTextOnce(const hgl::String &text, hgl::String &first, hgl::String &rest)
{
    const int a = text.FindChar(u';');
    if (a < 0)
    {
        first = text;
        rest = hgl::String();
        return;
    }
    const hgl::u16char *s = text.c_str();
    first = hgl::String(s, a);
    rest = hgl::String(s + a + 1, text.GetLength() - a - 1);
}

bool HasNineMark(const hgl::String &picture)
{
    const int dot = picture.FindChar(u'.');
    return dot >= 2 && picture.GetChar(dot - 2) == u'9';
}
} // namespace avg::tips
