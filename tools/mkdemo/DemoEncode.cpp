// The demo pictures written in the engine's picture files: each picture or texture
// a TDF tree with its layers compressed by the "Zip" method.
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"

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

bool AddPictures(DemoContent &content, std::string *error)
{
    for (const DemoPicture &p : MakeDemoPictures())
    {
        std::vector<uint8_t> bytes;
        if (!Encode(p, bytes))
        {
            if (error) *error = "cannot encode a picture";
            return false;
        }
        content.AddData(p.path, std::move(bytes));
    }
    return true;
}
} // namespace hgl::demo
