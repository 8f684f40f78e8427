// "Compress.RLE": byte run-length coding.
// Block: u32 content size, u32 Adler-32 of the content (little-endian), then packets:
// a control byte c < 0x80 is followed by c + 1 literal bytes; c >= 0x80 by one byte
// repeated c - 0x80 + 3 times. The picture entries code each channel as its own
// plane (planes compress far better than interleaved pixels), in the same block form.
#include "CompressPlugIn.h"

#include <cstdint>
#include <memory>
#include <new>

using namespace hgl_compress;

namespace
{
constexpr int HeaderSize = 8;
constexpr int MaxLiteral = 128;
constexpr int MinRun = 3;
constexpr int MaxRun = 0x7F + MinRun;

uint32 Adler32(const uint8 *p, size_t n)
{
    uint32 a = 1, b = 0;

    while (n > 0)
    {
        size_t chunk = n < 5552 ? n : 5552; // largest count that cannot overflow b
        n -= chunk;
        while (chunk--)
        {
            a += *p++;
            b += a;
        }
        a %= 65521;
        b %= 65521;
    }

    return (b << 16) | a;
}

// Returns the packed size, or 0 when it does not fit.
int Pack(const uint8 *in, int size, uint8 *out, int out_size)
{
    if (out_size < HeaderSize) return 0;

    PutU32(out, uint32(size));
    PutU32(out + 4, Adler32(in, size_t(size)));

    int o = HeaderSize;
    int i = 0;

    while (i < size)
    {
        int run = 1;
        while (i + run < size && run < MaxRun && in[i + run] == in[i])
            ++run;

        if (run >= MinRun)
        {
            if (o + 2 > out_size) return 0;
            out[o++] = uint8(0x80 + run - MinRun);
            out[o++] = in[i];
            i += run;
            continue;
        }

        // Literals up to the next run worth coding.
        int lit = 0;
        while (i + lit < size && lit < MaxLiteral)
        {
            const int p = i + lit;
            if (p + 2 < size && in[p] == in[p + 1] && in[p] == in[p + 2]) break;
            ++lit;
        }

        if (o + 1 + lit > out_size) return 0;
        out[o++] = uint8(lit - 1);
        std::memcpy(out + o, in + i, size_t(lit));
        o += lit;
        i += lit;
    }

    return o;
}

// Returns the content size, or 0 for a block that is damaged or does not fit.
int Unpack(const uint8 *in, int in_size, uint8 *out, int out_size)
{
    if (in_size < HeaderSize) return 0;

    const uint32 size = GetU32(in);
    if (size == 0 || size > uint32(out_size)) return 0;

    int i = HeaderSize;
    uint32 o = 0;

    while (i < in_size)
    {
        const uint8 c = in[i++];

        if (c < 0x80)
        {
            const uint32 lit = uint32(c) + 1;
            if (uint32(in_size - i) < lit || size - o < lit) return 0;
            std::memcpy(out + o, in + i, lit);
            i += int(lit);
            o += lit;
        }
        else
        {
            const uint32 run = uint32(c - 0x80) + MinRun;
            if (i >= in_size || size - o < run) return 0;
            std::memset(out + o, in[i++], run);
            o += run;
        }
    }

    if (o != size || Adler32(out, size) != GetU32(in + 4)) return 0;

    return int(size);
}

int RLECompress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra)
{
    if (BadArgs(source, source_size, dest, dest_size)) return 0;

    return Pack(static_cast<const uint8 *>(source), source_size, static_cast<uint8 *>(dest), dest_size);
}

int RLEDecompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (BadArgs(source, source_size, dest, dest_size) || source_size <= 0) return 0;

    return Unpack(static_cast<const uint8 *>(source), source_size, static_cast<uint8 *>(dest), dest_size);
}

// Bytes of a picture, or 0 when the shape is invalid or too large for the interface.
int PictureBytes(int width, int height, int channels)
{
    if (width <= 0 || height <= 0 || channels <= 0) return 0;

    const int64_t total = int64_t(width) * int64_t(height) * int64_t(channels);
    return total > INT_MAX ? 0 : int(total);
}

int RLEImageCompress(void *dest, int dest_size, const void *pixels, int width, int height, int channels,
                     hgl::CompressExtra)
{
    const int total = PictureBytes(width, height, channels);
    if (!dest || dest_size <= 0 || !pixels || total == 0) return 0;

    std::unique_ptr<uint8[]> planes(new (std::nothrow) uint8[size_t(total)]);
    if (!planes) return 0;

    const uint8 *src = static_cast<const uint8 *>(pixels);
    const int count = total / channels;
    for (int c = 0; c < channels; c++)
        for (int p = 0; p < count; p++)
            planes[size_t(c) * size_t(count) + size_t(p)] = src[size_t(p) * size_t(channels) + size_t(c)];

    return Pack(planes.get(), total, static_cast<uint8 *>(dest), dest_size);
}

int RLEImageDecompress(void *dest, const void *source, int source_size, int width, int height, int channels)
{
    const int total = PictureBytes(width, height, channels);
    if (!dest || !source || source_size <= HeaderSize || total == 0) return 0;

    // A run packet (2 bytes) gives at most MaxRun bytes: a block too small for the
    // picture is refused before its scratch planes are allocated.
    if (int64_t(total) > int64_t(source_size - HeaderSize) / 2 * MaxRun + MaxRun) return 0;

    std::unique_ptr<uint8[]> planes(new (std::nothrow) uint8[size_t(total)]);
    if (!planes) return 0;

    if (Unpack(static_cast<const uint8 *>(source), source_size, planes.get(), total) != total) return 0;

    uint8 *out = static_cast<uint8 *>(dest);
    const int count = total / channels;
    for (int c = 0; c < channels; c++)
        for (int p = 0; p < count; p++)
            out[size_t(p) * size_t(channels) + size_t(c)] = planes[size_t(c) * size_t(count) + size_t(p)];

    return total;
}
} // namespace

HGL_COMPRESS_PLUGIN(u"RLE 压缩算法", RLECompress, RLEDecompress, RLEImageCompress, RLEImageDecompress)
