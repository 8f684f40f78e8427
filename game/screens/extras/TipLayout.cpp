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
} // namespace avg::tips
