#include "game/screens/extras/ViewTips.h"

#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/TipLayout.h"
#include "game/screens/extras/ViewerFont.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"

#include <algorithm>

namespace
{
constexpr float kPatternTop = 223, kPatternHeight = 904;
constexpr float kPictureHeight = 1000;
constexpr float kSlide = 0.3f; // of the picture's width
constexpr float kShadowAlpha = 0.3f, kShadowX = 10, kShadowY = 5;
constexpr float kEntryX = 50, kEntryY = 250, kEntryScale = 1.4f;

void Stretch(hgl::HGP *picture, float x, float y, float w, float h)
{
    if (!picture || picture->Width <= 0 || picture->Height <= 0) return;
    picture->Draw(x, y, w / float(picture->Width), h / float(picture->Height));
}

// The picture's height over its first layer's; 1 without a usable layer.
float LayerRatio(hgl::HGP *picture)
{
    hgl::HGPLayer *layer = picture->GetLayer(0);
    if (!layer || layer->Height <= 0) return 1.0f;
    return float(picture->Height) / float(layer->Height);
}
} // namespace

ViewTips::ViewTips(const hgl::u16char *background_name, const hgl::u16char *picture_name,
                   const hgl::u16char *text, const hgl::u16char *entry_name)
{
    canvas_w = float(hgl::GetCanvasWidth());
    canvas_h = float(hgl::GetCanvasHeight());
    sx = canvas_w / 1600.0f;
    sy = canvas_h / 1200.0f;

    background = avg::LoadHGP(background_name);
    pattern = avg::LoadHGP(u"WordUnit\\DiWen.HGP");
    picture = new hgl::HGPSame(avg::GetDataHAC(), picture_name, 0, true);
    shadow = new hgl::HGPSame(avg::GetDataHAC(), picture_name, 0, true);
    entry = avg::LoadHGP(entry_name);
    for (hgl::Object *o : {static_cast<hgl::Object *>(background), static_cast<hgl::Object *>(pattern),
                           static_cast<hgl::Object *>(picture), static_cast<hgl::Object *>(shadow),
                           static_cast<hgl::Object *>(entry)})
        control->AddObject(o);
    entry_select = entry->FindLayer(u"Select");

    avg::tips::SplitTipText(hgl::String(text), title, body);

    const float k = LayerRatio(picture);
    const float d = kPictureHeight * sy * k;
    picture_scale = sy * k;
    picture_top = canvas_h - d;

    body_font.reset(avg::tips::CreateViewerFont(kBodyFontRatio));
    title_font.reset(avg::tips::CreateViewerFont(kTitleFontRatio));
    const float c = body_font ? float(body_font->CharHeight) : 0;
    const float shown_w = picture->Height > 0 ? float(picture->Width) * d / float(picture->Height) : 0;
    picture_left = (canvas_w / 2 + 2 * c - shown_w) / 2;

    FlowObject::OnKeyDown.Bind<&ViewTips::Close>(this);
    FlowObject::OnMouseRightDown.Bind<&ViewTips::CloseOnRight>(this);
}

ViewTips::~ViewTips() = default;

bool ViewTips::Close(int)
{
    SetObjectState(fosReturn);
    return false;
}

bool ViewTips::CloseOnRight(int, int, int)
{
    return Close(0);
}

float ViewTips::GetPictureX() const
{
    const float p = float(picture->Width) * picture_scale * kSlide;
    return picture_left - p + p * GetAppear();
}

void ViewTips::DrawColumns(float t)
{
    const int top = int(kTextTop * sy);
    if (title_font)
    {
        hgl::TileFont &f = *title_font;
        f.Color = hgl::Color4f(0, 0, 0, t);
        avg::tips::WalkColumns(
            title, kTitleX * sx, top, f.CharHeight + f.LineGap, 0, false,
            [&f](hgl::u16char ch) { return f.GetCharWidth(ch); },
            [&f](hgl::u16char ch, float x, int y) { f.DrawChar(x, float(y), ch); });
    }
    if (body_font)
    {
        hgl::TileFont &f = *body_font;
        f.Color = hgl::Color4f(0, 0, 0, t);
        avg::tips::WalkColumns(
            body, kBodyX * sx, top, f.CharHeight + f.LineGap, kColumnShift * sx, true,
            [&f](hgl::u16char ch) { return f.GetCharWidth(ch); },
            [&f](hgl::u16char ch, float x, int y) { f.DrawChar(x, float(y), ch); });
    }
}

void ViewTips::Draw()
{
    const float t = GetAppear();
    Stretch(background, 0, 0, canvas_w, canvas_h);
    Stretch(pattern, 0, kPatternTop * sy, canvas_w, kPatternHeight * sy);

    if (entry_select) entry_select->Color.a = t;
    if (hgl::HGPLayer *layer = picture->GetLayer(0)) layer->Color.a = t;
    if (hgl::HGPLayer *layer = shadow->GetLayer(0)) layer->Color = hgl::Color4f(0, 0, 0, kShadowAlpha * t);

    const float s = picture_scale;
    const float p = float(picture->Width) * s * kSlide;
    const float x = picture_left - p + p * t;
    shadow->DrawLayer(0, x + kShadowX, picture_top + kShadowY, s, s);
    picture->DrawLayer(0, x, picture_top, s, s);

    if (entry_select)
    {
        const float e = kEntryScale * sy;
        const float ex = kEntryX * sx - 0.5f * p + 0.5f * p * t, ey = kEntryY * sy;
        entry_select->Draw(ex + float(entry_select->Left) * e, ey + float(entry_select->Top) * e, e, e);
    }

    DrawColumns(t);
    appear = std::min(appear + 1, kAppearFrames);
}
