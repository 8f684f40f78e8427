#include "graphics/gl/OpenGLCaps.h"

#include "core/Log.h"
#include "core/String.h"
#include "io/BaseApplication.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"
#include "platform/window/PlatformWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>

namespace hgl
{
namespace
{
struct CapsOfContext
{
    uint64_t context = 0;
    OpenGLCaps caps;
};

CapsOfContext &Stored()
{
    thread_local CapsOfContext stored;
    return stored;
}

OpenGLCaps Detect()
{
    OpenGLCaps c;
    c.TextureCompression = GLEW_ARB_texture_compression;
    c.TextureRectangle = GLEW_ARB_texture_rectangle || GLEW_EXT_texture_rectangle;
    c.TextureNPOT = GLEW_ARB_texture_non_power_of_two;
    c.VertexBufferObject = GLEW_ARB_vertex_buffer_object;
    c.PixelBufferObject = GLEW_ARB_pixel_buffer_object;
    c.FrameBufferObject = GLEW_ARB_framebuffer_object || GLEW_EXT_framebuffer_object;
    c.GLSL = GLEW_ARB_shader_objects;
    c.Multitexture = GLEW_ARB_multitexture;
    c.Anisotropic = GLEW_EXT_texture_filter_anisotropic;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &c.MaxTextureSize);
    if (c.Multitexture) glGetIntegerv(GL_MAX_TEXTURE_UNITS, &c.MaxTextureUnits);
    if (c.Anisotropic) glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &c.MaxAnisotropy);
    return c;
}

String Text(const GLubyte *s)
{
    return String::FromUTF8(s ? reinterpret_cast<const char *>(s) : "");
}

// A feature the description may switch off, and the extension it is known by.
struct Switchable
{
    bool OpenGLCaps::*feature;
    bool SystemInitInfo::Graphics::OpenGLSwitches::*allowed;
    const char *extension;
};

constexpr Switchable Switches[] = {
    {&OpenGLCaps::TextureRectangle, &SystemInitInfo::Graphics::OpenGLSwitches::TextureRectangle,
     "GL_ARB_texture_rectangle"},
    {&OpenGLCaps::TextureNPOT, &SystemInitInfo::Graphics::OpenGLSwitches::TextureNPOT,
     "GL_ARB_texture_non_power_of_two"},
    {&OpenGLCaps::VertexBufferObject, &SystemInitInfo::Graphics::OpenGLSwitches::VertexBufferObject,
     "GL_ARB_vertex_buffer_object"},
    {&OpenGLCaps::PixelBufferObject, &SystemInitInfo::Graphics::OpenGLSwitches::PixelBufferObject,
     "GL_ARB_pixel_buffer_object"},
    {&OpenGLCaps::FrameBufferObject, &SystemInitInfo::Graphics::OpenGLSwitches::FrameBufferObject,
     "GL_ARB_framebuffer_object"},
    {&OpenGLCaps::GLSL, &SystemInitInfo::Graphics::OpenGLSwitches::GLSL, "GL_ARB_shader_objects"},
    {&OpenGLCaps::Multitexture, &SystemInitInfo::Graphics::OpenGLSwitches::Multitexture,
     "GL_ARB_multitexture"},
};
} // namespace

const OpenGLCaps &GetOpenGLCaps()
{
    CapsOfContext &s = Stored();
    if (s.context != platform::CurrentContextSerial())
    {
        s.context = platform::CurrentContextSerial();
        s.caps = Detect();
    }
    return s.caps;
}

void InitOpenGLCaps(SystemInitInfo &sii)
{
    CapsOfContext &s = Stored();
    s.context = platform::CurrentContextSerial();
    s.caps = Detect();

    if (sii.graphics.GL.TextureCompressionHQ)
    {
        glHint(GL_TEXTURE_COMPRESSION_HINT, GL_NICEST);
        PutInfo(u"使用高质量贴图压缩！");
    }

    for (const Switchable &sw : Switches)
        if (s.caps.*sw.feature && !(sii.graphics.GL.*sw.allowed))
        {
            s.caps.*sw.feature = false;
            PutInfo(u"您的显卡支持OpenGL扩展<%s>，但是配置程序禁用了它！",
                    String::FromUTF8(sw.extension).c_str());
        }

    if (auto *app = static_cast<BaseApplication *>(GetGlobalPointer(gpApplication)))
        app->FPS = sii.graphics.FPS;
}

void PutOpenGLInfo()
{
    GLint extensions = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &extensions);
    glGetError(); // a context before 3.0 does not know the query
    PutInfo(u"OpenGL厂商: %s", Text(glGetString(GL_VENDOR)).c_str());
    PutInfo(u"OpenGL渲染器: %s", Text(glGetString(GL_RENDERER)).c_str());
    PutInfo(u"OpenGL版本: %s", Text(glGetString(GL_VERSION)).c_str());
    PutInfo(u"OpenGL扩展数量: %d", int(extensions));
    PutInfo(u"GLEW版本: %s", Text(glewGetString(GLEW_VERSION)).c_str());
    PutInfo(u"GLU版本: %s", Text(gluGetString(GLU_VERSION)).c_str());
}
} // namespace hgl
