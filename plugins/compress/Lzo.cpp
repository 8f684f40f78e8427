// "Compress.Lzo": LZO1X-1 data behind an 8-byte header: the content's size and its
// Adler-32 (u32 little-endian each). Decoding uses the bounds-checking decoder.
#include "CompressPlugIn.h"

#include <lzo/lzo1x.h>

#include <memory>
#include <new>

using namespace hgl_compress;

namespace
{
constexpr int HeaderSize = 8;

bool LzoReady()
{
    static const bool ready = (lzo_init() == LZO_E_OK);
    return ready;
}

int LzoCompress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra)
{
    if (BadArgs(source, source_size, dest, dest_size) || dest_size < HeaderSize || !LzoReady()) return 0;

    uint8 *out = static_cast<uint8 *>(dest);
    const uint8 *in = static_cast<const uint8 *>(source);

    PutU32(out, uint32(source_size));
    PutU32(out + 4, lzo_adler32(1, source_size ? in : nullptr, lzo_uint(source_size)));

    if (source_size == 0) return HeaderSize;

    // The compressor writes without bounds; give it the worst case and copy out.
    const size_t worst = size_t(source_size) + size_t(source_size) / 16 + 64 + 3;
    std::unique_ptr<uint8[]> work(new (std::nothrow) uint8[LZO1X_1_MEM_COMPRESS]);
    std::unique_ptr<uint8[]> tmp(new (std::nothrow) uint8[worst]);
    if (!work || !tmp) return 0;

    lzo_uint packed = worst;
    if (lzo1x_1_compress(in, lzo_uint(source_size), tmp.get(), &packed, work.get()) != LZO_E_OK) return 0;

    if (packed > lzo_uint(dest_size - HeaderSize)) return 0;

    std::memcpy(out + HeaderSize, tmp.get(), packed);
    return int(HeaderSize + packed);
}

int LzoDecompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (BadArgs(source, source_size, dest, dest_size) || source_size <= HeaderSize || !LzoReady()) return 0;

    const uint8 *in = static_cast<const uint8 *>(source);
    const uint32 size = GetU32(in);
    const uint32 check = GetU32(in + 4);

    if (size == 0 || size > uint32(dest_size)) return 0;

    lzo_uint produced = size;
    const int rc = lzo1x_decompress_safe(in + HeaderSize, lzo_uint(source_size - HeaderSize),
                                         static_cast<uint8 *>(dest), &produced, nullptr);
    if (rc != LZO_E_OK || produced != size) return 0;

    if (lzo_adler32(1, static_cast<const uint8 *>(dest), produced) != check) return 0;

    return int(produced);
}
} // namespace

HGL_COMPRESS_PLUGIN(u"LZO1X 压缩算法", LzoCompress, LzoDecompress, nullptr, nullptr)
