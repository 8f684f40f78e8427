#include "gui/TextButton.h"

#include "graphics/font/TileFont.h"

namespace hgl::gui
{
namespace
{
constexpr float ShadowShift = 1;
}

void TextButton::InitPrivate()
{
    Caption.Bind<&TextButton::GetCaptionValue, &TextButton::SetCaption>(this);
}

TextButton::TextButton(float l, float t, float w, float h, const String &text)
    : Button(l, t, w, h), caption(text)
{
    InitPrivate();
}

void TextButton::SetCaption(const String &text)
{
    if (caption.Comp(text) == 0) return;
    caption = text;
    if (OnCaptionChange) OnCaptionChange(this);
}

void TextButton::Draw()
{
    if (OnDraw)
    {
        Button::Draw();
        return;
    }
    DrawOffset at(left, top);
    DrawCaption(GetState());
}

void TextButton::DrawCaption(int state)
{
    if (caption.IsEmpty()) return;
    TileFont *font_used = ResolveFont(font);
    if (!font_used)
    {
        no_font.Tell(u"文字按钮<%s>没有字体，不绘制标题!", caption.c_str());
        return;
    }
    const float x = (width - font_used->GetStringWidth(caption.c_str())) / 2;
    const float y = (height - font_used->CharHeight) / 2;
    const bool lit = state == bsFocus || state == bsPress;
    if (!lit)
    {
        font_used->Color = Faded(Theme.Shadow, alpha);
        font_used->DrawString(x + ShadowShift, y + ShadowShift, caption.c_str());
    }
    const Color4f &ink = lit ? Theme.Focus : (state == bsDisable ? Theme.Disable : Theme.Text);
    font_used->Color = Faded(ink, alpha);
    font_used->DrawString(x, y, caption.c_str());
}
} // namespace hgl::gui
