#include "gui/RichTextLabel.h"

#include "graphics/font/TileFont.h"

#include <algorithm>

namespace hgl::gui
{
namespace
{
float LaidOutHeight(const Makeup &makeup)
{
    float bottom = 0;
    for (int i = 0; i < makeup.CharRect.GetCount(); i++)
        bottom = std::max(bottom, float(makeup.CharRect[i].Bottom));
    return bottom;
}
} // namespace

RichTextLabel::RichTextLabel(float l, float t, float w, float h) : Label(l, t), auto_height(h <= 0)
{
    SetSize(w, h);
}

void RichTextLabel::SetWidth(float value)
{
    const bool changed = value != width;
    Label::SetWidth(value);
    if (changed) FitText();
}

void RichTextLabel::FitText()
{
    makeup.Clear();
    if (GetText().IsEmpty())
    {
        if (auto_height) SetHeight(0);
        return;
    }
    TileFont *f = TextFont();
    if (!f) return;
    f->Color = Color;
    f->MakeupText(makeup, GetText().c_str(), int(width), TileFont::AlignLeft);
    if (auto_height) SetHeight(LaidOutHeight(makeup));
}

void RichTextLabel::DrawText()
{
    TileFont *f = makeup.CharRect.GetCount() ? TextFont() : nullptr;
    if (!f) return;
    const String &text = GetText();
    const int count = std::min(makeup.CharRect.GetCount(), text.GetLength());
    for (int i = 0; i < count; i++)
    {
        const RectScope2<float> &rect = makeup.CharRect[i];
        if (rect.Width <= 0 || rect.Height <= 0) continue;
        const bool own = PerCharColor && i < makeup.CharColor.GetCount();
        f->Color = Faded(own ? makeup.CharColor[i] : Color, alpha);
        f->DrawChar(makeup.x + rect.Left, makeup.y + rect.Top, text.GetChar(i));
    }
}
} // namespace hgl::gui
