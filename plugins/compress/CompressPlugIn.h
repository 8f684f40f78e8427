#pragma once
// Shared by the compression plug-ins: the standard exports and little-endian helpers.
#include "io/PlugInABI.h"

#include <climits>
#include <cstring>

namespace hgl_compress
{
using hgl::uint32;
using hgl::uint8;

inline void PutU32(uint8 *p, uint32 v)
{
    p[0] = uint8(v);
    p[1] = uint8(v >> 8);
    p[2] = uint8(v >> 16);
    p[3] = uint8(v >> 24);
}

inline uint32 GetU32(const uint8 *p)
{
    return uint32(p[0]) | (uint32(p[1]) << 8) | (uint32(p[2]) << 16) | (uint32(p[3]) << 24);
}

// Arguments every entry rejects before touching a buffer.
inline bool BadArgs(const void *source, int source_size, const void *dest, int dest_size)
{
    return !dest || dest_size <= 0 || source_size < 0 || (source_size > 0 && !source);
}
} // namespace hgl_compress

// Defines the exports of a compression plug-in: its version, intro and the
// interface fill for version 3 and below.
#define HGL_COMPRESS_PLUGIN(intro_text, compress_fn, decompress_fn, image_compress_fn, image_decompress_fn)  \
    HGL_PLUGIN_IDENTITY(hgl::CompressInterfaceVersion, intro_text)                                           \
    HGL_PLUGIN_EXPORT bool GetPlugInInterface(int version, void *record)                                     \
    {                                                                                                        \
        if (version != hgl::CompressInterfaceVersion || !record) return false;                               \
        hgl::CompressPlugInInterface *cpi = static_cast<hgl::CompressPlugInInterface *>(record);             \
        cpi->Compress = compress_fn;                                                                         \
        cpi->Decompress = decompress_fn;                                                                     \
        cpi->ImageCompress = image_compress_fn;                                                              \
        cpi->ImageDecompress = image_decompress_fn;                                                          \
        return true;                                                                                         \
    }
