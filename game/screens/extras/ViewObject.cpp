#include "game/screens/extras/ViewObject.h"

#include "game/core/GameResources.h"
#include "game/screens/extras/ViewerFont.h"
#include "game/stage/StageDraw.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"

ViewObject::ViewObject(const hgl::u16char *background_name, const hgl::u16char *object_name,
                       const hgl::u16char *text)
    : description(text)
{
    canvas_w = float(hgl::GetCanvasWidth());
    canvas_h = float(hgl::GetCanvasHeight());
    background = avg::LoadHGP(background_name);
    object = avg::LoadHGP(object_name);
    control->AddObject(background);
    control->AddObject(object);

    font.reset(avg::tips::CreateViewerFont(kFontRatio));
    if (font)
    {
        const int c = font->CharHeight, g = font->LineGap;
        makeup.x = 3 * c;
        makeup.y = int(canvas_h - 3.5f * float(c + g));
        line_width = int(canvas_w) - 6 * c;
        // The layout keeps the colour of each character: lay it out in the colour
        // it is drawn in.
        font->Color = hgl::Color4f(1, 1, 1, 1);
        font->MakeupText(makeup, description.IsEmpty() ? u"" : description.c_str(), line_width,
                         hgl::TileFont::AlignLeft);
    }

    FlowObject::OnKeyDown.Bind<&ViewObject::Close>(this);
    FlowObject::OnMouseRightDown.Bind<&ViewObject::CloseOnRight>(this);
}

ViewObject::~ViewObject() = default;

bool ViewObject::Close(int)
{
    SetObjectState(fosReturn);
    return false;
}

bool ViewObject::CloseOnRight(int, int, int)
{
    return Close(0);
}

void ViewObject::Draw()
{
    avg::stage_draw::Quad(0, 0, canvas_w, canvas_h, avg::stage_draw::kBlack, 1.0f);
    const float c = font ? float(font->CharHeight) : 0, g = font ? float(font->LineGap) : 0;
    const float a = canvas_h - 4 * (c + g);
    const float w = 4 * a / 3, h = a - c;
    if (object->Width > 0 && object->Height > 0 && w > 0 && h > 0)
        object->Draw((canvas_w - w) / 2, c, w / float(object->Width), h / float(object->Height));
    if (font)
    {
        font->Color = hgl::Color4f(1, 1, 1, 1);
        font->DrawMakeup(0, 0, makeup, description.c_str());
    }
}
