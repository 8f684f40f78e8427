// The demo pictures written in the engine's picture files: each picture or texture
// a TDF tree with its layers compressed by the "Zip" method.
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"

#include <mutex>

namespace hgl::demo
{
namespace
{
const hgl::u16char kMethod[] = u"Zip";

ImageBlock ToImage(const DemoCanvas &canvas)
{
    ImageBlock image;
    image.width = canvas.Width();
    image.height = canvas.Height();
    image.color_type = ctRGBA;
    image.pixels.assign(canvas.Pixels().begin(), canvas.Pixels().end());
    return image;
}

std::vector<uint8_t> Bytes(MemStream &s)
{
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

bool Encode(const DemoPicture &p, std::vector<uint8_t> &out)
{
    MemStream s;
    if (p.texture)
    {
        TexFile tex;
        tex.image = ToImage(p.layers.front().canvas);
        if (!tex.Write(&s, kMethod)) return false;
    }
    else
    {
        HgpFile hgp;
        hgp.width = p.width;
        hgp.height = p.height;
        for (const DemoLayer &l : p.layers)
            hgp.layers.push_back(
                {String::FromUTF8(l.name), 0, 0, Color4f(1, 1, 1, l.alpha), ToImage(l.canvas)});
        if (!hgp.Write(&s, kMethod)) return false;
    }
    out = Bytes(s);
    return true;
}
} // namespace

// The pictures never change within a run: they are made and encoded once, and
// every later call (each test writes the demo anew) takes the same files.
bool AddPictures(DemoContent &content, std::string *error)
{
    static std::mutex guard;
    static std::vector<DemoFile> encoded;
    std::lock_guard<std::mutex> lock(guard);
    if (encoded.empty())
    {
        std::vector<DemoFile> files;
        for (const DemoPicture &p : MakeDemoPictures())
        {
            std::vector<uint8_t> bytes;
            if (!Encode(p, bytes))
            {
                if (error) *error = "cannot encode a picture";
                return false;
            }
            files.push_back({p.path, std::move(bytes)});
        }
        encoded = std::move(files);
    }
    for (const DemoFile &f : encoded)
        content.AddData(f.path, f.data);
    return true;
}
} // namespace hgl::demo
