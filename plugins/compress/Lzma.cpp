// "Compress.Lzma": one .xz stream with a CRC32 of the content.
#include "CompressPlugIn.h"

#include <lzma.h>

using namespace hgl_compress;

namespace
{
// Bounds what a hostile header can make the decoder allocate.
constexpr uint64_t DecoderMemoryLimit = 64u << 20;

int LzmaCompress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra extra)
{
    if (BadArgs(source, source_size, dest, dest_size)) return 0;

    const uint32_t preset = (extra >= 1 && extra <= 9) ? uint32_t(extra) : LZMA_PRESET_DEFAULT;
    static const uint8_t empty = 0;

    size_t out_pos = 0;
    if (lzma_easy_buffer_encode(
            preset, LZMA_CHECK_CRC32, nullptr, source_size ? static_cast<const uint8_t *>(source) : &empty,
            size_t(source_size), static_cast<uint8_t *>(dest), &out_pos, size_t(dest_size)) != LZMA_OK)
        return 0;

    return int(out_pos);
}

int LzmaDecompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (BadArgs(source, source_size, dest, dest_size) || source_size <= 0) return 0;

    uint64_t memlimit = DecoderMemoryLimit;
    size_t in_pos = 0;
    size_t out_pos = 0;

    if (lzma_stream_buffer_decode(&memlimit, 0, nullptr, static_cast<const uint8_t *>(source), &in_pos,
                                  size_t(source_size), static_cast<uint8_t *>(dest), &out_pos,
                                  size_t(dest_size)) != LZMA_OK)
        return 0;

    if (in_pos != size_t(source_size) || out_pos == 0) return 0;

    return int(out_pos);
}
} // namespace

HGL_COMPRESS_PLUGIN(u"LZMA (xz) 压缩算法", LzmaCompress, LzmaDecompress, nullptr, nullptr)
