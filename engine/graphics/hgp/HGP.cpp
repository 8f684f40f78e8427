#include "graphics/hgp/HGP.h"

#include "core/Log.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/HAC.h"

#include <memory>

namespace hgl
{
namespace
{
const u16char ThumbnailMethod[] = u"Zip";

// The point at fractions (s, t) of a four-cornered area.
Point2f Bilinear(const Point2f c[4], float s, float t)
{
    const float a = (1 - s) * (1 - t), b = s * (1 - t), d = s * t, e = (1 - s) * t;
    return {a * c[0].x + b * c[1].x + d * c[2].x + e * c[3].x,
            a * c[0].y + b * c[1].y + d * c[2].y + e * c[3].y};
}
} // namespace

HGP::HGP(unsigned int gl_format, bool use_mipmap) : format(gl_format), mipmap(use_mipmap)
{
    InitPrivate();
}

HGP::HGP(const u16char *filename, unsigned int gl_format, bool use_mipmap) : HGP(gl_format, use_mipmap)
{
    LoadFile(filename);
}

HGP::HGP(HAC *archive, const u16char *filename, unsigned int gl_format, bool use_mipmap)
    : HGP(gl_format, use_mipmap)
{
    LoadFile(archive, filename);
}

void HGP::InitPrivate()
{
    Width.Bind<&HGP::GetWidth>(this);
    Height.Bind<&HGP::GetHeight>(this);
    LayerCount.Bind<&HGP::GetLayerCount>(this);
}

void HGP::LoadFile(const u16char *filename)
{
    SetName(String(filename ? filename : u""));
    FileStream fs;
    if (!filename || !fs.Open(filename, 2))
    {
        PutError(u"打开图片文件失败<%s>", filename ? filename : u"");
        return;
    }
    ReadFromStream(&fs);
}

void HGP::LoadFile(HAC *archive, const u16char *filename)
{
    SetName(String(filename ? filename : u""));
    std::unique_ptr<Stream> s(archive && filename ? archive->LoadFileStream(filename, true) : nullptr);
    if (!s)
    {
        PutError(u"打开图片文件失败<%s>", filename ? filename : u"");
        return;
    }
    ReadFromStream(s.get());
}

bool HGP::ReadFromStream(Stream *s)
{
    layers.Clear();
    width = height = 0;
    HgpFile file;
    const u16char *what = GetName().c_str() ? GetName().c_str() : u"";
    if (!file.Read(s, what)) return false;
    for (const HgpLayerData &data : file.layers)
    {
        HGPLayer *layer = NewLayer();
        layers.Add(layer);
        if (!layer->Load(data, format, mipmap))
        {
            layers.Clear();
            return false;
        }
    }
    width = file.width;
    height = file.height;
    return true;
}

bool HGP::WriteToStream(Stream *s)
{
    HgpFile file;
    file.width = width;
    file.height = height;
    file.layers.resize(size_t(layers.GetCount()));
    for (int i = 0; i < layers.GetCount(); i++)
    {
        HgpLayerData &data = file.layers[size_t(i)];
        data.name = layers[i]->Name;
        data.left = layers[i]->Left;
        data.top = layers[i]->Top;
        data.color = layers[i]->Color;
        if (!layers[i]->GetTexture().ReadBack(data.image)) return false;
    }
    return file.Write(s, String(ThumbnailMethod));
}

void HGP::Draw(double x, double y, double scale_x, double scale_y)
{
    for (int i = 0; i < layers.GetCount(); i++)
        if (layers[i]->IsVisible()) DrawLayer(i, x, y, scale_x, scale_y);
}

void HGP::DrawLayer(int index, double x, double y, double scale_x, double scale_y)
{
    HGPLayer *layer = GetLayer(index);
    if (layer) layer->Draw(x + layer->Left * scale_x, y + layer->Top * scale_y, scale_x, scale_y);
}

void HGP::LayerCorners(const HGPLayer *layer, const Point2f corner[4], Point2f out[4]) const
{
    const float l = float(layer->Left) / float(width), t = float(layer->Top) / float(height);
    const float r = float(layer->Left + layer->Width) / float(width);
    const float b = float(layer->Top + layer->Height) / float(height);
    out[0] = Bilinear(corner, l, t);
    out[1] = Bilinear(corner, r, t);
    out[2] = Bilinear(corner, r, b);
    out[3] = Bilinear(corner, l, b);
}

void HGP::DrawQuad(const Point2f corner[4])
{
    for (int i = 0; i < layers.GetCount(); i++)
        if (layers[i]->IsVisible()) DrawLayerQuad(i, corner);
}

void HGP::DrawLayerQuad(int index, const Point2f corner[4])
{
    HGPLayer *layer = GetLayer(index);
    if (!layer || !corner) return;
    Point2f at[4];
    LayerCorners(layer, corner, at);
    layer->DrawQuad(at);
}

HGPLayer *HGP::GetLayer(int index) const
{
    return index >= 0 && index < layers.GetCount() ? layers[index] : nullptr;
}

int HGP::FindLayerIndex(StringView name) const
{
    for (int i = layers.GetCount() - 1; i >= 0; i--)
        if (StringView(layers[i]->Name) == name) return i;
    return -1;
}

HGPLayer *HGP::FindLayer(StringView name) const
{
    const int index = FindLayerIndex(name);
    return index >= 0 ? layers[index] : nullptr;
}

void HGP::SetAlpha(float alpha)
{
    for (HGPLayer *layer : layers)
        layer->Color.a = alpha;
}

void HGP::SetColor(float r, float g, float b, float a)
{
    for (HGPLayer *layer : layers)
        layer->Color = Color4f(r, g, b, a);
}

void HGP::SetBlendMode(int mode)
{
    for (HGPLayer *layer : layers)
        layer->SetBlendMode(mode);
}

HGPSame::HGPSame(const u16char *filename, unsigned int gl_format, bool use_mipmap)
    : HGP(gl_format, use_mipmap)
{
    LoadFile(filename);
}

HGPSame::HGPSame(HAC *archive, const u16char *filename, unsigned int gl_format, bool use_mipmap)
    : HGP(gl_format, use_mipmap)
{
    LoadFile(archive, filename);
}
} // namespace hgl
