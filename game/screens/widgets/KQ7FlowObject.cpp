#include "game/screens/widgets/KQ7FlowObject.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/scrollbox.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "gui/Panel.h"
#include "gui/TexLabel.h"
#include "platform/window/KeyCode.h"

namespace
{
constexpr float kDesignW = 1024, kDesignH = 768;
constexpr float kTitleLeft = 35, kTitleTop = 8;
constexpr float kBoxInset = 35; // design pixels, from the form's left and top
// The box reaches under the frame's right side by these terms (1600-wide design).
constexpr float kFrameDesignW = 1600, kFrameSide = 128, kFramePicture = 2304, kFrameParts = 59, kBarRoom = 16;
} // namespace

bool KQ7FlowObject::Proc_MouseRightDown(int, int, int)
{
    return Proc_KeyDown(hgl::key::Esc);
}

bool KQ7FlowObject::Proc_KeyDown(int key)
{
    if (key != hgl::key::Esc) return hgl::FlowObject::Proc_KeyDown(key);
    SetObjectState(fosReturn);
    return true;
}

KQ7TitleFlow::KQ7TitleFlow(const hgl::u16char *title_name)
    : ScaleX(float(hgl::GetCanvasWidth()) * (1 / kDesignW)),
      ScaleY(float(hgl::GetCanvasHeight()) * (1 / kDesignH))
{
    if (!title_name) return;
    title = avg::LoadTexture2D(title_name, 0);
    control->AddObject(new hgl::gui::TexLabel(kTitleLeft * ScaleX, kTitleTop * ScaleY, title, true));
}

TZScrollBoxFlow::TZScrollBoxFlow(int left, int top, int width, int height, const hgl::u16char *frame,
                                 const hgl::u16char *bar, const hgl::u16char *title_name)
    : KQ7TitleFlow(title_name)
{
    const int title_height = title ? int(title->Height) : 0;
    form = new KQ7Form(left, top + title_height, width, height, frame, true);
    control->AddObject(form);
    form->SetDragMove(false);

    const float W = float(hgl::GetCanvasWidth());
    const float fw = form->Width, fh = form->Height;
    const float box_w = fw - kBoxInset * ScaleX + kBarRoom - kFrameSide * W / kFrameDesignW +
                        ((kFramePicture * W / kFrameDesignW) / kFrameParts - kBarRoom) * 0.5f;
    const float box_h = fh - 2 * kBoxInset * ScaleY;
    box = new scrollbox(kBoxInset * ScaleX, kBoxInset * ScaleY, box_w, box_h, bar);
    box->SetFrameMode(hgl::gui::pfmNone);
    box->SetFocus(true);
    form->AddObject(box);
}
