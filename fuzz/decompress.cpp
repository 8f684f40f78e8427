// Every compression plug-in's decoder on arbitrary blocks. The first byte picks the
// method (and for pictures the next three the shape); the rest is the block.
#include "io/Compress.h"
#include "io/Core.h"

#include <cstdint>
#include <cstring>
#include <vector>

#ifndef HGL_PLUGIN_DIR_U
#define HGL_PLUGIN_DIR_U u"Plug-Ins"
#endif

namespace
{
const char16_t *const Methods[] = {u"Zip", u"Bzip2", u"Lzma", u"Lzo", u"RLE"};
constexpr int Room = 256 * 1024;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool ready = []
    {
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        return true;
    }();
    (void)ready;

    if (size < 1) return 0;

    static std::vector<uint8_t> out(Room);
    const int pick = data[0] % 6;

    if (pick < 5)
    {
        const int n = hgl::Decompress(Methods[pick], data + 1, int(size - 1), out.data(), Room);
        if (n < 0 || n > Room) __builtin_trap();
        return 0;
    }

    if (size < 4) return 0;

    const int w = data[1] + 1, h = data[2] + 1, c = data[3] % 4 + 1;
    const int n = hgl::ImageDecompress(u"RLE", out.data(), data + 4, int(size - 4), w, h, c);
    if (n != 0 && n != w * h * c) __builtin_trap();
    return 0;
}
