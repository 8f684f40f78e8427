#pragma once
// Pictures for the graphics tests: images with known pixels and the TEX/HGP trees
// built value by value (not through the engine's writer), so that a test can damage
// any one value.
#include "graphics/ColorType.h"
#include "graphics/texture/ImageBlock.h"
#include "io/MemStream.h"
#include "io/TDF.h"

#include <functional>
#include <vector>

namespace hgl::test
{
// An RGBA image whose pixels are f(x, y).
inline ImageBlock MakeImage(int w, int h, const std::function<std::vector<uint8>(int, int)> &f)
{
    ImageBlock img;
    img.width = w;
    img.height = h;
    img.color_type = ctRGBA;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            for (uint8 c : f(x, y))
                img.pixels.push_back(c);
    return img;
}

inline ImageBlock SolidImage(int w, int h, std::vector<uint8> rgba)
{
    return MakeImage(w, h, [&](int, int) { return rgba; });
}

// The image values of a node, stored raw.
inline void PutImage(TDFNode *node, const ImageBlock &img)
{
    node->SetInt32(u"Width", img.width);
    node->SetInt32(u"Height", img.height);
    node->SetInt32(u"ColorType", img.color_type);
    node->SetUInt32(u"Format", img.format);
    node->SetString(TDFCompressKey, String());
    node->SetData(u"Image", img.pixels.data(), int(img.pixels.size()));
}

inline void PutRoot(TDFNode &root, const u16char *kind)
{
    root.SetName(String(kind));
    root.SetInt32(u"Version", 1);
}

// An HGP tree of one picture size with the given layers at (left, top).
struct LayerValues
{
    const u16char *name;
    int left, top;
    float color[4];
    ImageBlock image;
};

inline void PutHgp(TDFNode &root, int w, int h, const std::vector<LayerValues> &layers)
{
    PutRoot(root, u"HGP");
    root.SetInt32(u"Width", w);
    root.SetInt32(u"Height", h);
    root.SetInt32(u"LayerCount", int(layers.size()));
    for (size_t i = 0; i < layers.size(); i++)
    {
        TDFNode *n = root.AddChild(u"L" + String(int(i)));
        n->SetString(u"Name", String(layers[i].name));
        n->SetInt32(u"Left", layers[i].left);
        n->SetInt32(u"Top", layers[i].top);
        n->SetData(u"Color", layers[i].color, 16);
        PutImage(n, layers[i].image);
    }
}

inline void SaveTree(const TDFNode &root, MemStream &out)
{
    out.Clear();
    if (!root.Save(&out)) out.Clear(); // an empty stream: the reader under test then refuses it
    out.Position = 0;
}
} // namespace hgl::test
