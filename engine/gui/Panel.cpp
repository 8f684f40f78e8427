#include "gui/Panel.h"

#include "core/Log.h"
#include "gui/FrameDraw.h"

namespace hgl::gui
{
namespace
{
const Color4f PanelBackColor{0, 0, 0, 0.5f};
const Color4f PanelLineColor{0.75f, 0.75f, 0.75f, 1};
} // namespace

Panel::Panel(float l, float t, float w, float h) : DrawnControl(l, t, w, h) {}

void Panel::SetFrameMode(int mode)
{
    if (mode < pfmNone || mode > pfmFilled)
    {
        PutError(u"面板不支持的边框模式: %d", mode);
        return;
    }
    frame_mode = mode;
}

void Panel::Draw()
{
    if (frame_mode == pfmFilled) FillRect(0, 0, width, height, Faded(PanelBackColor, alpha));
    if (frame_mode != pfmNone) OutlineRect(0, 0, width, height, Faded(PanelLineColor, alpha));
}
} // namespace hgl::gui
