#include "core/Memory.h"

#include <cstring>

namespace hgl
{
int MemCompare(const void *a, const void *b, int bytes)
{
    if (bytes <= 0 || a == b) return 0;

    const uint8 *pa = static_cast<const uint8 *>(a);
    const uint8 *pb = static_cast<const uint8 *>(b);
    size_t n = size_t(bytes);
    size_t i = 0;

    // Skip equal 8-byte runs quickly, then find the differing byte.
    while (n - i >= 8)
    {
        uint64 wa, wb;
        std::memcpy(&wa, pa + i, 8);
        std::memcpy(&wb, pb + i, 8);
        if (wa != wb) break;
        i += 8;
    }

    for (; i < n; ++i)
        if (pa[i] != pb[i]) return int(pa[i]) - int(pb[i]);

    return 0;
}

void Fill16(uint16 *dst, uint16 value, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = value;
}

void Copy16(uint16 *dst, const uint16 *src, int count)
{
    if (count <= 0 || dst == src) return;
    std::memcpy(dst, src, size_t(count) * sizeof(uint16));
}

void Fill16(u16char *dst, u16char value, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = value;
}

void Copy16(u16char *dst, const u16char *src, int count)
{
    if (count <= 0 || dst == src) return;
    std::memcpy(dst, src, size_t(count) * sizeof(u16char));
}

void Fill32(uint32 *dst, uint32 value, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = value;
}

void Copy32(uint32 *dst, const uint32 *src, int count)
{
    if (count <= 0 || dst == src) return;
    std::memcpy(dst, src, size_t(count) * sizeof(uint32));
}

void Move32(uint32 *dst, const uint32 *src, int count)
{
    if (count <= 0 || dst == src) return;
    std::memmove(dst, src, size_t(count) * sizeof(uint32));
}
} // namespace hgl
