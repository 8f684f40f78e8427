// Bytes as an HGP file. Whatever the reader accepts must write back and read again
// to the same layers.
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream in;
    if (size) in.Write(data, int(size));
    in.Position = 0;
    hgl::HgpFile hgp;
    if (!hgp.Read(&in, u"fuzz.hgp")) return 0;
    hgl::MemStream out;
    hgl::HgpFile again;
    if (!hgp.Write(&out, hgl::String())) __builtin_trap();
    out.Position = 0;
    if (!again.Read(&out, u"again.hgp") || again.layers.size() != hgp.layers.size()) __builtin_trap();
    for (size_t i = 0; i < hgp.layers.size(); i++)
        if (again.layers[i].image.pixels != hgp.layers[i].image.pixels ||
            again.layers[i].left != hgp.layers[i].left || again.layers[i].name.Comp(hgp.layers[i].name) != 0)
            __builtin_trap();
    return 0;
}
