#include "GuiTestUtil.h"

#include "graphics/gl/RenderState.h"
#include "gui/FrameDraw.h"

#include <GL/gl.h>

namespace hgl::test
{
void Probe::Draw()
{
    draws++;
    gui::FillRect(left, top, width, height, Color4f(1, 0, 0, 1));
}

void GuiCanvas::Clear()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}
} // namespace hgl::test
