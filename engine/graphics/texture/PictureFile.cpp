#include "graphics/texture/PictureFile.h"

#include "core/Log.h"
#include "io/Stream.h"
#include "io/TDF.h"

#include <cmath>

namespace hgl
{
namespace
{
const u16char TexRoot[] = u"TEX";
const u16char HgpRoot[] = u"HGP";
constexpr int ColorBytes = 4 * sizeof(float);

// Loads the tree and checks its root name and version.
bool LoadRoot(Stream *s, TDFNode &root, const u16char *kind, const u16char *what)
{
    if (!s || !root.Load(s) || root.GetName().Comp(kind) != 0)
    {
        PutError(u"不是有效的%s文件<%s>", kind, what);
        return false;
    }
    int version = 0;
    return ReadBoundedInt(&root, u"Version", PictureFileVersion, PictureFileVersion, version, what);
}

bool ReadLayerColor(TDFNode *node, Color4f &color, const u16char *what)
{
    float c[4];
    if (!node->FindChild(u"Color")) return true;
    if (!node->GetData(u"Color", c, ColorBytes) || !std::isfinite(c[0]) || !std::isfinite(c[1]) ||
        !std::isfinite(c[2]) || !std::isfinite(c[3]))
    {
        PutError(u"图层颜色无效<%s>", what);
        return false;
    }
    color = Color4f(c[0], c[1], c[2], c[3]);
    return true;
}

// The layer rectangle must lie inside the picture; checked before its pixels load.
bool ReadLayer(TDFNode *node, int width, int height, HgpLayerData &layer, const u16char *what)
{
    int lw = 0, lh = 0;
    if (!ReadBoundedInt(node, u"Left", 0, width - 1, layer.left, what) ||
        !ReadBoundedInt(node, u"Top", 0, height - 1, layer.top, what) ||
        !ReadBoundedInt(node, u"Width", 1, width - layer.left, lw, what) ||
        !ReadBoundedInt(node, u"Height", 1, height - layer.top, lh, what) ||
        !ReadLayerColor(node, layer.color, what))
        return false;
    node->GetString(u"Name", layer.name);
    return layer.image.Read(node, what);
}

String LayerKey(int index)
{
    return u"L" + String(index);
}
} // namespace

bool TexFile::Read(Stream *s, const u16char *what)
{
    *this = TexFile();
    TDFNode root;
    if (!LoadRoot(s, root, TexRoot, what)) return false;
    root.GetBool(u"Mipmap", mipmap);
    return image.Read(&root, what);
}

bool TexFile::Write(Stream *s, const String &method) const
{
    TDFNode root;
    root.SetName(String(TexRoot));
    root.SetInt32(u"Version", PictureFileVersion);
    root.SetBool(u"Mipmap", mipmap);
    return s && image.Write(&root, method) && root.Save(s);
}

bool HgpFile::Read(Stream *s, const u16char *what)
{
    *this = HgpFile();
    TDFNode root;
    int w = 0, h = 0, n = 0;
    if (!LoadRoot(s, root, HgpRoot, what) ||
        !ReadBoundedInt(&root, u"Width", 1, ImageBlock::MaxSide, w, what) ||
        !ReadBoundedInt(&root, u"Height", 1, ImageBlock::MaxSide, h, what) ||
        !ReadBoundedInt(&root, u"LayerCount", 0, MaxLayers, n, what))
        return false;
    std::vector<HgpLayerData> loaded(static_cast<size_t>(n));
    for (int i = 0; i < n; i++)
    {
        TDFNode *node = root.FindChild(LayerKey(i));
        if (!node)
        {
            PutError(u"图片文件缺少图层<%s>:%d", what, i);
            return false;
        }
        if (!ReadLayer(node, w, h, loaded[size_t(i)], what)) return false;
    }
    width = w;
    height = h;
    layers = std::move(loaded);
    return true;
}

bool HgpFile::Write(Stream *s, const String &method) const
{
    if (!s || width < 1 || width > ImageBlock::MaxSide || height < 1 || height > ImageBlock::MaxSide ||
        layers.size() > size_t(MaxLayers))
        return false;
    TDFNode root;
    root.SetName(String(HgpRoot));
    root.SetInt32(u"Version", PictureFileVersion);
    root.SetInt32(u"Width", width);
    root.SetInt32(u"Height", height);
    root.SetInt32(u"LayerCount", int(layers.size()));
    for (size_t i = 0; i < layers.size(); i++)
    {
        const HgpLayerData &layer = layers[i];
        if (layer.left < 0 || layer.top < 0 || layer.left + layer.image.width > width ||
            layer.top + layer.image.height > height)
            return false;
        TDFNode *node = root.AddChild(LayerKey(int(i)));
        const float c[4] = {layer.color.r, layer.color.g, layer.color.b, layer.color.a};
        node->SetString(u"Name", layer.name);
        node->SetInt32(u"Left", layer.left);
        node->SetInt32(u"Top", layer.top);
        node->SetData(u"Color", c, ColorBytes);
        if (!layer.image.Write(node, method)) return false;
    }
    return root.Save(s);
}
} // namespace hgl
