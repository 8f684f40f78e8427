// "Compress.Zip": a zlib stream (header, deflate data, Adler-32 of the content).
#include "CompressPlugIn.h"

#include <zlib.h>

using namespace hgl_compress;

namespace
{
int ZipCompress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra extra)
{
    if (BadArgs(source, source_size, dest, dest_size)) return 0;

    const int level = (extra >= 1 && extra <= 9) ? int(extra) : Z_DEFAULT_COMPRESSION;
    static const Bytef empty = 0;

    uLongf out_size = uLongf(dest_size);
    if (compress2(static_cast<Bytef *>(dest), &out_size,
                  source_size ? static_cast<const Bytef *>(source) : &empty, uLong(source_size),
                  level) != Z_OK)
        return 0;

    return int(out_size);
}

int ZipDecompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (BadArgs(source, source_size, dest, dest_size) || source_size <= 0) return 0;

    z_stream zs;
    std::memset(&zs, 0, sizeof(zs));

    if (inflateInit(&zs) != Z_OK) return 0;

    zs.next_in = const_cast<Bytef *>(static_cast<const Bytef *>(source));
    zs.avail_in = uInt(source_size);
    zs.next_out = static_cast<Bytef *>(dest);
    zs.avail_out = uInt(dest_size);

    const int rc = inflate(&zs, Z_FINISH);
    const uLong produced = zs.total_out;
    const bool whole = (rc == Z_STREAM_END && zs.avail_in == 0);

    inflateEnd(&zs);

    // A block that does not end exactly at its stream end, or does not fit, is refused.
    if (!whole || produced == 0) return 0;

    return int(produced);
}
} // namespace

HGL_COMPRESS_PLUGIN(u"Zip (zlib) 压缩算法", ZipCompress, ZipDecompress, nullptr, nullptr)
