#include "graphics/gl/Canvas.h"

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
    glViewport(0, 0, GetCanvasWidth(), GetCanvasHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    LoadIdentities();
    DisableDepthTest();
}

void ClearCanvas()
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void SetPerspective3D(double fovy, double aspect, double near_plane, double far_plane)
{
    glViewport(0, 0, GetCanvasWidth(), GetCanvasHeight());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, aspect, near_plane, far_plane);
    LoadIdentities();
    EnableDepthTest();
}
} // namespace hgl
