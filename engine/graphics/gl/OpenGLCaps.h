#pragma once
// What the OpenGL context offers, less what the start-up description switched
// off. Drawing code asks here rather than GLEW, so a feature the configuration
// disabled is treated as absent.

namespace hgl
{
class SystemInitInfo;

struct OpenGLCaps
{
    bool TextureCompression = false;
    bool TextureRectangle = false;
    bool TextureNPOT = false;
    bool VertexBufferObject = false;
    bool PixelBufferObject = false;
    bool FrameBufferObject = false;
    bool GLSL = false;
    bool Multitexture = false;
    bool Anisotropic = false;
    int MaxTextureSize = 0;
    int MaxTextureUnits = 1;
    float MaxAnisotropy = 1.0f;
};

// The capabilities of the current context: as InitOpenGLCaps left them, or, for a
// context it never saw, everything detected.
const OpenGLCaps &GetOpenGLCaps();

// Applies the texture-compression hint and turns off each detected feature whose
// switch in the description is false (with a log line naming the extension); hands
// the description's frame rate to the application.
void InitOpenGLCaps(SystemInitInfo &sii);

// Logs vendor, renderer, version, extension count and the GLEW and GLU versions.
void PutOpenGLInfo();
} // namespace hgl
