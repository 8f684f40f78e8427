#include "app/WindowPicture.h"

#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"

#include <string_view>

namespace hgl
{
namespace
{
constexpr int ReadExisting = 2; // FileStream mode: read, must exist
constexpr uint8 Opaque = 255;

bool EndsWith(const String &name, std::u16string_view suffix)
{
    String lower = name;
    lower.LowerCase();
    const std::u16string text = lower.ToStdString();
    return text.size() >= suffix.size() &&
           std::u16string_view(text).substr(text.size() - suffix.size()) == suffix;
}

// One pixel of any colour code as R, G, B, A.
void ToRGBA(int color_type, const uint8 *p, uint8 *out)
{
    switch (color_type)
    {
    case ctLuminance:
        out[0] = out[1] = out[2] = p[0], out[3] = Opaque;
        break;
    case ctLuminanceAlpha:
        out[0] = out[1] = out[2] = p[0], out[3] = p[1];
        break;
    case ctRGB:
        out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = Opaque;
        break;
    case ctRGBA:
        out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = p[3];
        break;
    case ctAlpha:
        out[0] = out[1] = out[2] = Opaque, out[3] = p[0];
        break;
    case ctBGR:
        out[0] = p[2], out[1] = p[1], out[2] = p[0], out[3] = Opaque;
        break;
    case ctBGRA:
        out[0] = p[2], out[1] = p[1], out[2] = p[0], out[3] = p[3];
        break;
    default:
        break;
    }
}

bool FromImage(const ImageBlock &image, platform::WindowPicture &picture)
{
    if (!image.Valid()) return false;
    const int channels = image.Channels();
    const size_t count = size_t(image.width) * size_t(image.height);
    picture.width = image.width;
    picture.height = image.height;
    picture.rgba.resize(count * 4);
    for (size_t i = 0; i < count; i++)
        ToRGBA(image.color_type, &image.pixels[i * size_t(channels)], &picture.rgba[i * 4]);
    return true;
}

bool ReadPicture(const String &filename, Stream *s, platform::WindowPicture &picture)
{
    if (EndsWith(filename, u".tex"))
    {
        TexFile tex;
        return tex.Read(s, filename.c_str()) && FromImage(tex.image, picture);
    }
    if (EndsWith(filename, u".hgp"))
    {
        HgpFile hgp;
        return hgp.Read(s, filename.c_str()) && !hgp.layers.empty() &&
               FromImage(hgp.layers[0].image, picture);
    }
    return false;
}
} // namespace

bool LoadWindowPicture(const String &filename, platform::WindowPicture &picture)
{
    picture = {};
    FileStream file;
    if (filename.IsEmpty() || !file.Open(filename.c_str(), ReadExisting)) return false;
    if (ReadPicture(filename, &file, picture)) return true;
    picture = {};
    return false;
}
} // namespace hgl
