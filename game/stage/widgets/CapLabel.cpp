#include "game/stage/widgets/CapLabel.h"

#include "game/core/GameResources.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "io/Time.h"

#include <algorithm>

namespace
{
constexpr int kTextColour = 144, kSecondColour = 8;
constexpr float kBaseHeight = 768;
constexpr hgl::int64 kPictureFade = 1000, kTextFade = 2000, kSecondIn = 3000, kSecondShown = 4000,
                     kSecondErase = 5000;
constexpr float kFadeRate = 0.001f;
constexpr float kSecondLeft = -50;
} // namespace

CapLabel::CapLabel(int left, int top, const hgl::u16char *text1, const hgl::u16char *text2,
                   const hgl::u16char *picture_name)
    : CapLabel(left, top, text1, text2, picture_name, avg::LargeTextFont)
{
}

CapLabel::CapLabel(int left, int top, const hgl::u16char *text1, const hgl::u16char *text2,
                   const hgl::u16char *picture_name, hgl::TileFont *font)
    : hgl::gui::Label(float(left), float(top))
{
    SetFont(font);
    Init(text1, text2, picture_name);
}

CapLabel::~CapLabel() = default;

void CapLabel::Init(const hgl::u16char *text1, const hgl::u16char *text2, const hgl::u16char *picture_name)
{
    first_text = text1 ? text1 : u"";
    second_text = text2 ? text2 : u"";
    SetText(first_text);
    Color.Use(kTextColour, Color.a);
    SecondColor.Use(kSecondColour, SecondColor.a);
    if (picture_name && *picture_name) picture.reset(avg::LoadTexture2D(picture_name, 0));
    // A picture that is missing or has no width is not drawn.
    if (picture && picture->Width > 0) picture_scale_x = GetWidth() / float(picture->Width);
    picture_scale_y = float(hgl::GetCanvasHeight()) * (1 / kBaseHeight);
    OnDraw.Bind<&CapLabel::DrawCaption>(this);
    if (hgl::TileFont *f = TextFont())
    {
        f->MakeupText(first_layout, first_text.c_str(), int(GetWidth()), hgl::TileFont::AlignLeft);
        f->MakeupText(second_layout, second_text.c_str(), hgl::GetCanvasWidth(), hgl::TileFont::AlignRight);
    }
    first_reveal = hgl::Limit<float>(0, float(first_layout.CharRect.GetCount()));
    const float count2 = float(second_layout.CharRect.GetCount());
    second_reveal = hgl::Limit<float>(0, count2);
    second_reveal.value = count2;
}

void CapLabel::DrawGlyph(hgl::TileFont *font, float x, float y, const hgl::RectScope2<float> &glyph, float a,
                         hgl::u16char ch)
{
    const float alpha_now = GetAlpha() * a;
    if (glyph.Width == 0 || glyph.Height == 0) return;
    font->Color = hgl::Color4f(0, 0, 0, alpha_now);
    font->DrawChar(float(int(x + glyph.Left + 1)), float(int(y + glyph.Top + 1)), ch);
    font->Color = hgl::Color4f(1, 1, 1, alpha_now);
    font->DrawChar(float(int(x + glyph.Left)), float(int(y + glyph.Top)), ch);
}

void CapLabel::DrawRange(const hgl::Makeup &layout, const hgl::String &text, int from, int to, float x,
                         float y, float a)
{
    hgl::TileFont *font = TextFont();
    const int last = std::min({to, layout.CharRect.GetCount(), text.Length()});
    for (int i = std::max(from, 0); i < last; ++i)
        DrawGlyph(font, x, y, layout.CharRect[i], a, text.c_str()[i]);
}

void CapLabel::DrawCaption(hgl::gui::Label *label)
{
    hgl::TileFont *font = TextFont();
    if (label != this || first_text.IsEmpty() || !font) return;
    const float x = float(font->CharWidth / 2), y = float(font->CharHeight / 2);
    const hgl::uint64 now = hgl::GetTime();
    const int n = int(first_reveal.value);
    DrawRange(first_layout, first_text, 0, n, x, y, first_alpha);
    if (first_reveal.value < first_reveal.max)
    {
        first_reveal.value = std::min(first_reveal.value + kRevealStep, first_reveal.max);
        DrawRange(first_layout, first_text, n, n + 1, x, y, first_reveal.value - float(n));
    }
    else if (sequence_start == 0)
        sequence_start = now;
    if (sequence_start != 0) Timeline(hgl::int64(now - sequence_start), int(second_reveal.max), y);
    if (!picture || picture_scale_x <= 0 || first_reveal.max <= 0) return;
    picture->Color = hgl::Color4f(1, 1, 1, picture_alpha);
    picture->DrawRegion(x, y + float((2 * font->CharHeight) / 3), 0, 0, first_reveal.value / first_reveal.max,
                        1, picture_scale_x, picture_scale_y);
}

void CapLabel::Timeline(hgl::int64 t, int count2, float y)
{
    if (t > kPictureFade && t <= kTextFade) picture_alpha = 1 - kFadeRate * float(t - kPictureFade);
    if (t > kTextFade && t <= kSecondIn)
    {
        first_alpha = 1 - kFadeRate * float(t - kTextFade);
        picture_alpha = 0;
    }
    if (t <= kSecondIn) return;
    picture_alpha = 0;
    first_alpha = 0;
    const int m = int(second_reveal.value);
    second_alpha = t <= kSecondShown ? kFadeRate * float(t - kSecondIn) : 1.0f;
    DrawRange(second_layout, second_text, count2 - m, count2, kSecondLeft, y, second_alpha);
    if (t <= kSecondErase || second_reveal.value == 0) return;
    second_reveal.value = std::max(second_reveal.value - kRevealStep, 0.0f);
    if (count2 - m >= 1)
        DrawRange(second_layout, second_text, count2 - m - 1, count2 - m, kSecondLeft, y,
                  second_reveal.value - float(m));
}
