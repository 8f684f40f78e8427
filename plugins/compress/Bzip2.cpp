// "Compress.Bzip2": one bzip2 stream (block CRCs and a stream CRC of the content).
#include "CompressPlugIn.h"

#include <bzlib.h>

using namespace hgl_compress;

namespace
{
int Bzip2Compress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra extra)
{
    if (BadArgs(source, source_size, dest, dest_size)) return 0;

    const int block = (extra >= 1 && extra <= 9) ? int(extra) : 9;
    static char empty = 0;

    unsigned int out_size = unsigned(dest_size);
    if (BZ2_bzBuffToBuffCompress(static_cast<char *>(dest), &out_size,
                                 source_size ? const_cast<char *>(static_cast<const char *>(source)) : &empty,
                                 unsigned(source_size), block, 0, 0) != BZ_OK)
        return 0;

    return int(out_size);
}

int Bzip2Decompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (BadArgs(source, source_size, dest, dest_size) || source_size <= 0) return 0;

    bz_stream bs;
    std::memset(&bs, 0, sizeof(bs));

    if (BZ2_bzDecompressInit(&bs, 0, 0) != BZ_OK) return 0;

    bs.next_in = const_cast<char *>(static_cast<const char *>(source));
    bs.avail_in = unsigned(source_size);
    bs.next_out = static_cast<char *>(dest);
    bs.avail_out = unsigned(dest_size);

    int rc;
    for (;;)
    {
        const unsigned in_before = bs.avail_in, out_before = bs.avail_out;
        rc = BZ2_bzDecompress(&bs);
        if (rc != BZ_OK || bs.avail_in == 0 || bs.avail_out == 0) break;
        if (bs.avail_in == in_before && bs.avail_out == out_before) break; // no progress: never spin
    }

    const unsigned produced = unsigned(dest_size) - bs.avail_out;
    const bool whole = (rc == BZ_STREAM_END && bs.avail_in == 0);

    BZ2_bzDecompressEnd(&bs);

    if (!whole || produced == 0) return 0;

    return int(produced);
}
} // namespace

HGL_COMPRESS_PLUGIN(u"Bzip2 压缩算法", Bzip2Compress, Bzip2Decompress, nullptr, nullptr)
