#include "graphics/gl/Canvas.h"

#include "graphics/draw/Painter.h"
#include "graphics/gl/RenderState.h"
#include "platform/window/PlatformWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>

namespace hgl
{
int GetCanvasWidth()
{
    const platform::PlatformWindow *w = platform::CurrentWindow();
    return w ? w->CanvasWidth() : 0;
}

int GetCanvasHeight()
{
    const platform::PlatformWindow *w = platform::CurrentWindow();
    return w ? w->CanvasHeight() : 0;
}

namespace
{
void LoadIdentities()
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
} // namespace

void SetOrtho2D(int width, int height)
{
    draw::Flush(); // draws queued so far were made for the old projection
    glViewport(0, 0, GetCanvasWidth(), GetCanvasHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    LoadIdentities();
    DisableDepthTest();
}

void ClearCanvas()
{
    draw::Clear(Color4f(0, 0, 0, 1));
}

void SetPerspective3D(double fovy, double aspect, double near_plane, double far_plane)
{
    draw::Flush();
    glViewport(0, 0, GetCanvasWidth(), GetCanvasHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, aspect, near_plane, far_plane);
    LoadIdentities();
    EnableDepthTest();
}
} // namespace hgl
