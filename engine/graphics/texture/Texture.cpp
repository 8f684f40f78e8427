#include "graphics/texture/Texture.h"

#include "core/Log.h"
#include "graphics/ColorType.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/OpenGLCaps.h"
#include "graphics/texture/ImageBlock.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/HAC.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace hgl
{
namespace
{
constexpr int StaleErrorLimit = 32;
int npot_state = -1; // -1: as the OpenGL capabilities say

GLenum ExternalFormat(int color_type)
{
    switch (color_type)
    {
    case ctLuminance:
        return GL_LUMINANCE;
    case ctLuminanceAlpha:
        return GL_LUMINANCE_ALPHA;
    case ctRGB:
        return GL_RGB;
    case ctRGBA:
        return GL_RGBA;
    case ctAlpha:
        return GL_ALPHA;
    case ctBGR:
        return GL_BGR;
    default:
        return GL_BGRA;
    }
}

GLenum ImpliedFormat(int color_type)
{
    switch (color_type)
    {
    case ctLuminance:
        return GL_LUMINANCE8;
    case ctLuminanceAlpha:
        return GL_LUMINANCE8_ALPHA8;
    case ctRGB:
    case ctBGR:
        return GL_RGB8;
    case ctAlpha:
        return GL_ALPHA8;
    default:
        return GL_RGBA8;
    }
}

int NextPowerOfTwo(int v)
{
    int p = 1;
    while (p < v)
        p <<= 1;
    return p;
}

// The picture copied into a larger block, its last column and row repeated into
// the padding so that filtering at the picture's edge sees no foreign colour.
std::vector<uint8> Padded(const ImageBlock &image, int tw, int th)
{
    const int ch = image.Channels();
    std::vector<uint8> out(size_t(tw) * size_t(th) * size_t(ch));
    for (int y = 0; y < th; y++)
    {
        const uint8 *src =
            image.pixels.data() + size_t(std::min(y, image.height - 1)) * size_t(image.width) * ch;
        uint8 *dst = out.data() + size_t(y) * size_t(tw) * ch;
        for (int x = 0; x < tw; x++)
            std::memcpy(dst + size_t(x) * ch, src + size_t(std::min(x, image.width - 1)) * ch, size_t(ch));
    }
    return out;
}

bool Upload(GLenum internal, int tw, int th, const ImageBlock &image, const uint8 *data, bool mipmap)
{
    // Errors left by earlier calls would be taken for this upload's; a lost context
    // reports one for ever, hence the bound.
    for (int i = 0; i < StaleErrorLimit && glGetError() != GL_NO_ERROR; i++)
    {
    }
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, mipmap ? GL_TRUE : GL_FALSE);
    glTexImage2D(GL_TEXTURE_2D, 0, GLint(internal), tw, th, 0, ExternalFormat(image.color_type),
                 GL_UNSIGNED_BYTE, data);
    return glGetError() == GL_NO_ERROR;
}
} // namespace

Texture::Texture(unsigned int gl_target) : target(gl_target) {}

Texture::~Texture()
{
    if (!id) return;
    draw::TextureChanging(id, 0); // draws still queued need it
    glDeleteTextures(1, &id);
}

void UseTexture(unsigned int, unsigned int id, uint64 version)
{
    draw::SetTexture(id, version);
}

void Texture::Apply()
{
    UseTexture(target, id, version);
}

Texture2D::Texture2D() : Texture(GL_TEXTURE_2D)
{
    InitPrivate();
}

void Texture2D::InitPrivate()
{
    Width.Bind<&Texture2D::GetWidth>(this);
    Height.Bind<&Texture2D::GetHeight>(this);
}

bool Texture2D::NonPowerOfTwo()
{
    return npot_state < 0 ? GetOpenGLCaps().TextureNPOT : npot_state == 1;
}

void Texture2D::SetNonPowerOfTwo(int allowed)
{
    npot_state = allowed < 0 ? -1 : allowed;
}

bool Texture2D::Load(const ImageBlock &image, unsigned int format, bool mipmap)
{
    if (!image.Valid())
    {
        PutError(u"贴图数据无效<%dx%d>", image.width, image.height);
        return false;
    }
    if (!id) glGenTextures(1, &id);
    if (!id)
    {
        PutError(u"创建贴图失败");
        return false;
    }
    const bool pad = !NonPowerOfTwo();
    const int tw = pad ? NextPowerOfTwo(image.width) : image.width;
    const int th = pad ? NextPowerOfTwo(image.height) : image.height;
    std::vector<uint8> padded;
    if (tw != image.width || th != image.height) padded = Padded(image, tw, th);
    const uint8 *data = padded.empty() ? image.pixels.data() : padded.data();

    version = draw::NextTextureVersion();
    draw::TextureChanging(id, version);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);

    GLenum internal = format ? format : (image.format ? image.format : ImpliedFormat(image.color_type));
    if (!Upload(internal, tw, th, image, data, mipmap))
    {
        PutError(u"显卡不接受贴图格式<0x%X>，改用<0x%X>", internal, ImpliedFormat(image.color_type));
        internal = ImpliedFormat(image.color_type);
        if (!Upload(internal, tw, th, image, data, mipmap))
        {
            PutError(u"上传贴图失败<%dx%d>", tw, th);
            glDeleteTextures(1, &id);
            id = 0;
            version = 0;
            return false;
        }
    }
    width = image.width;
    height = image.height;
    tex_width = tw;
    tex_height = th;
    internal_format = internal;
    return true;
}

bool Texture2D::LoadFile(const u16char *filename, unsigned int format)
{
    FileStream fs;
    TexFile file;
    if (!filename || !fs.Open(filename, 2))
    {
        PutError(u"打开贴图文件失败<%s>", filename ? filename : u"");
        return false;
    }
    return file.Read(&fs, filename) && Load(file.image, format, file.mipmap);
}

bool Texture2D::LoadFile(HAC *archive, const u16char *filename, unsigned int format)
{
    std::unique_ptr<Stream> s(archive && filename ? archive->LoadFileStream(filename, true) : nullptr);
    TexFile file;
    if (!s)
    {
        PutError(u"打开贴图文件失败<%s>", filename ? filename : u"");
        return false;
    }
    return file.Read(s.get(), filename) && Load(file.image, format, file.mipmap);
}

void Texture2D::Apply()
{
    Texture::Apply();
    draw::SetBlend(BlendMode);
    draw::SetColor(Color);
}

void Texture2D::Quad(const Point2f vertex[4], const Point2f texcoord[4])
{
    // Callers address the picture; the storage may be larger.
    const float su = tex_width ? float(width) / float(tex_width) : 1;
    const float sv = tex_height ? float(height) / float(tex_height) : 1;
    Point2f uv[4];
    for (int i = 0; i < 4; i++)
        uv[i] = Point2f(texcoord[i].x * su, texcoord[i].y * sv);
    const Color4f colour[4] = {Color, Color, Color, Color};
    draw::Quad(vertex, uv, colour);
}

void Texture2D::Draw(float x, float y, float scale_x, float scale_y)
{
    DrawRegion(x, y, 0, 0, 1, 1, scale_x, scale_y);
}

void Texture2D::DrawQuad(const Point2f vertex[4], const Point2f texcoord[4])
{
    if (!texcoord)
    {
        ApplyDrawQuad(vertex);
        return;
    }
    if (!id || !vertex) return;
    Apply();
    Quad(vertex, texcoord);
}

void Texture2D::ApplyDrawQuad(const Point2f vertex[4])
{
    const Point2f whole[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    if (!id || !vertex) return;
    Apply();
    Quad(vertex, whole);
}

void Texture2D::DrawRegion(float x, float y, float u, float v, float usize, float vsize, float scale_x,
                           float scale_y)
{
    if (!id || scale_x == 0 || scale_y == 0) return;
    const float w = usize * float(width) * scale_x;
    const float h = vsize * float(height) * scale_y;
    const Point2f vertex[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    const Point2f texcoord[4] = {{u, v}, {u + usize, v}, {u + usize, v + vsize}, {u, v + vsize}};
    Apply();
    Quad(vertex, texcoord);
}

bool Texture2D::ReadBack(ImageBlock &image)
{
    image = ImageBlock();
    if (!id) return false;
    std::vector<uint8> all(size_t(tex_width) * size_t(tex_height) * 4);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, all.data());
    image.width = width;
    image.height = height;
    image.color_type = ctRGBA;
    image.format = internal_format;
    image.pixels.resize(size_t(width) * size_t(height) * 4);
    for (int y = 0; y < height; y++)
        std::memcpy(image.pixels.data() + size_t(y) * size_t(width) * 4,
                    all.data() + size_t(y) * size_t(tex_width) * 4, size_t(width) * 4);
    return true;
}

Texture2D *LoadTexture(const u16char *filename, unsigned int format)
{
    auto tex = std::make_unique<Texture2D>();
    return tex->LoadFile(filename, format) ? tex.release() : nullptr;
}

Texture2D *LoadTexture(HAC *archive, const u16char *filename, unsigned int format)
{
    auto tex = std::make_unique<Texture2D>();
    return tex->LoadFile(archive, filename, format) ? tex.release() : nullptr;
}
} // namespace hgl
