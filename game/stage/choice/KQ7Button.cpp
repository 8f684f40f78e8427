#include "game/stage/choice/KQ7Button.h"

#include "graphics/font/TileFont.h"

namespace
{
constexpr float kShadowShift = 1;
}

KQ7Button::KQ7Button(hgl::TileFont *f, float left, float top, const hgl::String &caption)
    : hgl::gui::TextButton(left, top, 0, 0, caption), font(f)
{
    if (font)
    {
        text_width = font->GetStringWidth(caption.c_str());
        SetSize(text_width, float(font->CharHeight));
    }
    OnDraw.Bind<&KQ7Button::DrawButton>(this);
    OnPointerOver.Bind<&KQ7Button::PointerOver>(this);
}

void KQ7Button::DrawButton(hgl::gui::Button *, int state)
{
    const hgl::String &caption = GetCaption();
    if (!font || caption.IsEmpty()) return;
    const float x = (GetWidth() - text_width) / 2;
    if (state != hgl::gui::bsFocus && state != hgl::gui::bsPress)
    {
        font->Color = Theme.Shadow;
        font->DrawString(x + kShadowShift, kShadowShift, caption.c_str());
    }
    font->Color = Theme.Text;
    font->DrawString(x, 0, caption.c_str());
}

void KQ7Button::PointerOver(hgl::GUIObject *)
{
    SetFocusTarget(this);
}
