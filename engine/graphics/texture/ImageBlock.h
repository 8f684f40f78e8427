#pragma once
// One picture as the picture files hold it: its size, colour code, the GL internal
// format it recommends and its pixels, rows top to bottom, tightly packed. Needs no
// GL: the file tools and the save writer use it too.
#include "core/String.h"
#include "core/Types.h"

#include <vector>

namespace hgl
{
class TDFNode;

struct ImageBlock
{
    // A side longer than this is refused as damage, before anything is allocated.
    static constexpr int MaxSide = 16384;

    int width = 0;
    int height = 0;
    int color_type = 0; // ColorType
    uint32 format = 0;  // recommended GL internal format; 0 = derive from the colour code
    std::vector<uint8> pixels;

    int Channels() const;
    // Whether width, height and colour code are within limits and the pixels fill
    // the picture exactly.
    bool Valid() const;

    // Reads "Width", "Height", "ColorType", "Format" and the image block "Image" of
    // the node. Every value is checked before the pixels are allocated; a failure is
    // logged with what (the file or layer) and leaves the block empty.
    bool Read(TDFNode *node, const u16char *what);
    // Writes the same values; the image block is stored with method ("" raw, "Zip"),
    // or raw when compressing does not make it smaller. False for a block that is
    // not Valid (nothing useful is written then).
    bool Write(TDFNode *node, const String &method) const;
};

// Reads an int32 value that must lie in [low, high]; logs "<what>: <key>" otherwise.
bool ReadBoundedInt(TDFNode *node, const u16char *key, int low, int high, int &value, const u16char *what);
} // namespace hgl
