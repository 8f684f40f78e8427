#pragma once
// The two picture files of the engine, both TDF trees, read into memory and written
// from it without GL (the picture tool and the save writer use them too).
//
// TEX, one texture:
//   root "TEX": "Version" int32 1, "Mipmap" bool (optional), and the image values of
//   ImageBlock ("Width", "Height", "ColorType", "Format", "压缩算法", "Image").
// HGP, a layered picture (also the file of HGPSame):
//   root "HGP": "Version" int32 1, "Width", "Height" int32, "LayerCount" int32, and
//   children "L0" .. "L<n-1>", each with "Name" string, "Left", "Top" int32 (the
//   layer's place inside the picture), "Color" four floats r, g, b, a (a <= 0:
//   hidden) and the image values of ImageBlock.
// Children are found by name, never by order.
#include "core/Color.h"
#include "core/String.h"
#include "graphics/texture/ImageBlock.h"

#include <vector>

namespace hgl
{
class Stream;

constexpr int PictureFileVersion = 1;

struct TexFile
{
    ImageBlock image;
    bool mipmap = false;

    // A damaged or oversized file is refused with a log line naming what.
    bool Read(Stream *s, const u16char *what);
    // method "" stores the pixels raw, "Zip" compressed. False when the image is not
    // valid or a write fell short.
    bool Write(Stream *s, const String &method) const;
};

struct HgpLayerData
{
    String name;
    int left = 0, top = 0;
    Color4f color{1, 1, 1, 1};
    ImageBlock image;
};

struct HgpFile
{
    static constexpr int MaxLayers = 256;

    int width = 0, height = 0;
    std::vector<HgpLayerData> layers;

    bool Read(Stream *s, const u16char *what);
    bool Write(Stream *s, const String &method) const;
};
} // namespace hgl
