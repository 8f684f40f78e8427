#include "game/screens/widgets/TZButton.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float kWidthInChars = 1.5f;
constexpr float kMarkerTop = 0.2f; // of the width
constexpr float kDesignWidth = 1024;
constexpr float kShadowGrey = 0.8f;
constexpr float kLightShift = 2, kDarkShift = 1;
// The large font's character height as a share of the canvas height, for the
// width of a strip made before the fonts.
constexpr float kLargeFontShare = 0.0533333f;

// What every strip shares.
struct Shared
{
    hgl::Texture2D *marker = nullptr;
    int users = 0;
    float offset = 0;
    bool upwards = true;
};
Shared shared;

float FontHeight()
{
    if (avg::LargeTextFont) return float(avg::LargeTextFont->CharHeight);
    return std::round(kLargeFontShare * float(hgl::GetCanvasHeight()));
}

// One step of the marker: up or down by a canvas pixel of the design, turning
// round whenever it leaves the open range (0, font height).
void StepMarker(float fh)
{
    const float step = float(hgl::GetCanvasWidth()) / kDesignWidth;
    shared.offset += shared.upwards ? step : -step;
    if (!(shared.offset > 0 && shared.offset < fh)) shared.upwards = !shared.upwards;
}
} // namespace

TZButton::TZButton(int left, int top, int height, const hgl::u16char *text, const hgl::u16char *second_text)
    : hgl::gui::TextButton(float(left), float(top), FontHeight() * kWidthInChars, float(height),
                           hgl::String())
{
    if (shared.users++ == 0)
    {
        shared.marker = avg::LoadTexture2D(u"shake.TEX", 0);
        if (shared.marker) shared.marker->Color.a = 1;
    }
    SetText(text, second_text);
}

TZButton::~TZButton()
{
    if (--shared.users > 0) return;
    delete shared.marker;
    shared = Shared();
}

void TZButton::SetText(const hgl::u16char *text, const hgl::u16char *second_text)
{
    second = second_text ? second_text : u"";
    SetCaption(text ? text : u"");
}

void TZButton::SetSharedAlpha(float alpha)
{
    if (shared.marker) shared.marker->Color.a = alpha;
}

float TZButton::GetSharedAlpha()
{
    return shared.marker ? shared.marker->Color.a : 1.0f;
}

float TZButton::GetMarkerOffset()
{
    return shared.offset;
}

int TZButton::GetUserCount()
{
    return shared.users;
}

hgl::Texture2D *TZButton::GetMarkerTexture()
{
    return shared.marker;
}

void TZButton::Draw()
{
    hgl::gui::DrawOffset at(left, top);
    const float fh = FontHeight();
    if (focus)
    {
        StepMarker(fh);
        const float x = (width - fh) / 2, y = width * kMarkerTop + shared.offset;
        const hgl::Point2f corner[4] = {{x, y}, {x + fh, y}, {x + fh, y + fh}, {x, y + fh}};
        const hgl::Point2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        avg::screen_draw::TexQuad(shared.marker, corner, uv);
    }
    hgl::TileFont *font = avg::LargeTextFont;
    const hgl::String &text = GetCaption();
    if (!font || text.IsEmpty()) return;
    font->MakeupText(layout, text.c_str(), int(width), hgl::TileFont::AlignCenter);
    const float a = GetSharedAlpha();
    const int count = std::min(layout.CharRect.GetCount(), text.GetLength());
    for (int i = 0; i < count; ++i)
    {
        const hgl::RectScope2<float> &r = layout.CharRect[i];
        if (r.Width <= 0) continue;
        const float x = float(layout.x) + r.Left, y = float(layout.y) + r.Top;
        font->Color = hgl::Color4f(kShadowGrey, kShadowGrey, kShadowGrey, a);
        font->DrawChar(x + kLightShift, y + kLightShift, text.GetChar(i));
        font->Color = hgl::Color4f(0, 0, 0, a);
        font->DrawChar(x + kDarkShift, y + kDarkShift, text.GetChar(i));
    }
}
