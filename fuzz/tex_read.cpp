// Bytes as a TEX file. Whatever the reader accepts must write back and read again
// to the same picture.
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream in;
    if (size) in.Write(data, int(size));
    in.Position = 0;
    hgl::TexFile tex;
    if (!tex.Read(&in, u"fuzz.tex")) return 0;
    hgl::MemStream out;
    hgl::TexFile again;
    if (!tex.Write(&out, hgl::String())) __builtin_trap();
    out.Position = 0;
    if (!again.Read(&out, u"again.tex") || again.image.pixels != tex.image.pixels ||
        again.image.width != tex.image.width || again.mipmap != tex.mipmap)
        __builtin_trap();
    return 0;
}
