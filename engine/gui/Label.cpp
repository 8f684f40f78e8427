#include "gui/Label.h"

#include "graphics/font/TileFont.h"

namespace hgl::gui
{
void Label::InitPrivate()
{
    focusable = false;
    Text.Bind<&Label::GetTextValue, &Label::SetText>(this);
    FixedSize.Bind<&Label::GetFixedSize, &Label::SetFixedSize>(this);
}

Label::Label(float l, float t) : GUIObject(l, t, 0, 0)
{
    InitPrivate();
}

Label::Label(float l, float t, const String &caption) : GUIObject(l, t, 0, 0)
{
    InitPrivate();
    SetText(caption);
}

TileFont *Label::TextFont()
{
    TileFont *f = ResolveFont(font);
    if (!f) no_font.Tell(u"标签<%s>没有字体，不计算大小也不绘制!", text.c_str());
    return f;
}

void Label::SetText(const String &caption)
{
    text = caption;
    FitText();
}

void Label::SetFixedSize(bool value)
{
    fixed_size = value;
    FitText();
}

void Label::SetFont(TileFont *value)
{
    GUIObject::SetFont(value);
    FitText();
}

void Label::FitText()
{
    if (fixed_size) return;
    TileFont *f = TextFont();
    if (!f) return;
    SetSize(text.IsEmpty() ? 0 : f->GetStringWidth(text.c_str()), float(f->CharHeight));
}

void Label::Draw()
{
    DrawOffset at(left, top);
    if (OnDraw)
        OnDraw(this);
    else
        DrawText();
}

void Label::DrawText()
{
    if (text.IsEmpty()) return;
    TileFont *f = TextFont();
    if (!f) return;
    f->Color = Faded(Color, alpha);
    f->DrawString(0, 0, text.c_str());
}

bool Label::Proc_MouseLeftDown(int x, int y, int)
{
    if (!OnClick || !PointIn(x, y)) return false;
    OnClick(this);
    return true;
}
} // namespace hgl::gui
