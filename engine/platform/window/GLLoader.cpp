#include "platform/window/GLLoader.h"

#include <GL/glew.h>

namespace hgl::platform
{
bool LoadGLEntryPoints(std::string &error)
{
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    // GLEW also wants a GLX display for its window-system part. Under EGL there is
    // none, yet every GL entry point and extension flag has been loaded by then.
    if (result != GLEW_OK && result != GLEW_ERROR_NO_GLX_DISPLAY)
    {
        error = std::string("GLEW could not load OpenGL: ") +
                reinterpret_cast<const char *>(glewGetErrorString(result));
        return false;
    }
    glGetError(); // GLEW's probing may leave an error behind
    if (!glGetString(GL_VERSION))
    {
        error = "the OpenGL context reports no version";
        return false;
    }
    return true;
}
} // namespace hgl::platform
