#pragma once
// Loads the OpenGL entry points and extension flags (GLEW) for the current context.
#include <string>

namespace hgl::platform
{
// False with error filled when the context gives no usable GL.
bool LoadGLEntryPoints(std::string &error);
} // namespace hgl::platform
