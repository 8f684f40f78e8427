// "Compress.Only01": offers only the buffer entries (a stored copy behind a size
// word), so that the picture calls must fall back to them.
#include "TestEvents.h"

#include <cstring>

namespace
{
int StoreCompress(const void *source, int source_size, void *dest, int dest_size, hgl::CompressExtra)
{
    if (!dest || source_size < 0 || (source_size && !source) || dest_size < source_size + 4) return 0;
    const hgl::uint32 n = hgl::uint32(source_size);
    std::memcpy(dest, &n, 4);
    if (source_size) std::memcpy(static_cast<char *>(dest) + 4, source, size_t(source_size));
    return source_size + 4;
}

int StoreDecompress(const void *source, int source_size, void *dest, int dest_size)
{
    if (!source || !dest || source_size < 4 || dest_size <= 0) return 0;
    hgl::uint32 n;
    std::memcpy(&n, source, 4);
    if (n != hgl::uint32(source_size - 4) || n > hgl::uint32(dest_size)) return 0;
    std::memcpy(dest, static_cast<const char *>(source) + 4, n);
    return int(n);
}
} // namespace

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    return 3;
}
HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    return u"只有条目0和1的测试插件";
}

HGL_PLUGIN_EXPORT bool GetPlugInInterface(int version, void *record)
{
    if (version != 3) return false;
    auto *cpi = static_cast<hgl::CompressPlugInInterface *>(record);
    cpi->Compress = StoreCompress;
    cpi->Decompress = StoreDecompress;
    return true;
}

HGL_TEST_UNLOAD_EVENT("Compress.Only01")
