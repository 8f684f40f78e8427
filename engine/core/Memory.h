#pragma once
// Block copy, fill, move and compare. Sizes are counts of bytes unless the name says
// 16 or 32 (then counts of units). A size of 0 or below does nothing.
#include <cstring>

#include "core/Types.h"

namespace hgl
{
// The C library's copy and fill already pick aligned vector loops, and non-temporal
// stores above its cache threshold, which is what the engine wants from its block
// routines; these add only the "nothing for a size of 0 or below" rule. Inline, so
// that a copy of a known small size becomes a plain load and store.

// Copies bytes; the areas must not overlap (MemMove serves overlapping ones).
inline void FastMemCopy(void *dst, const void *src, int bytes)
{
    if (bytes > 0 && dst != src) std::memcpy(dst, src, size_t(bytes));
}

// Sets bytes to value.
inline void FastMemFill(void *dst, unsigned char value, int bytes)
{
    if (bytes > 0) std::memset(dst, value, size_t(bytes));
}

// Overlap-safe copy.
inline void MemMove(void *dst, const void *src, int bytes)
{
    if (bytes > 0 && dst != src) std::memmove(dst, src, size_t(bytes));
}

// 0 when the areas are equal (also for 0 bytes), else a[i] - b[i] of the first
// differing bytes taken as unsigned (so 0x01 against 0xFF gives -254).
int MemCompare(const void *a, const void *b, int bytes);

void Fill16(uint16 *dst, uint16 value, int count);
void Copy16(uint16 *dst, const uint16 *src, int count); // areas must not overlap
// The same for UTF-16 text buffers (a distinct type from uint16, so no cast is needed).
void Fill16(u16char *dst, u16char value, int count);
void Copy16(u16char *dst, const u16char *src, int count); // areas must not overlap
void Fill32(uint32 *dst, uint32 value, int count);
void Copy32(uint32 *dst, const uint32 *src, int count); // areas must not overlap
void Move32(uint32 *dst, const uint32 *src, int count); // overlap-safe
} // namespace hgl
