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

GLTranslate::GLTranslate()
{
    TranslateHooks hooks;
    hooks.Push = [](float x, float y)
    {
        PushMatrix(GL_MODELVIEW);
        glTranslatef(x, y, 0);
    };
    hooks.Pop = [] { PopMatrix(GL_MODELVIEW); };
    previous = SetTranslateHooks(hooks);
}

GLTranslate::~GLTranslate()
{
    SetTranslateHooks(previous);
}
} // namespace hgl::test
