#include "GuiTestUtil.h"
#include "graphics/draw/Painter.h"

#include "graphics/gl/RenderState.h"
#include "gui/FrameDraw.h"

namespace hgl::test
{
void Probe::Draw()
{
    draws++;
    gui::FillRect(left, top, width, height, Color4f(1, 0, 0, 1));
}

void GuiCanvas::Clear()
{
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 0));
}
} // namespace hgl::test
