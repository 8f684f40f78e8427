#include "core/StrFunc.h"
#include "core/Format.h"

#include <climits>
#include <cstdarg>
#include <cstring>

namespace hgl
{
int StrLen(const u16char *text)
{
    if (!text) return 0;
    const u16char *p = text;
    while (*p)
        ++p;
    return static_cast<int>(p - text);
}

void StrCpy(u16char *dst, const u16char *src)
{
    if (!dst) return;
    if (!src)
    {
        dst[0] = 0;
        return;
    }
    while ((*dst++ = *src++) != 0)
    {
    }
}

void StrNCpy(u16char *dst, const u16char *src, int n)
{
    if (!dst) return;
    if (!src || n < 1)
    {
        dst[0] = 0;
        return;
    }
    int i = 0;
    for (; i < n && src[i]; ++i)
        dst[i] = src[i];
    dst[i] = 0;
}

void StrAppendChar(u16char *dst, u16char ch)
{
    if (!dst || !ch) return;
    while (*dst)
        ++dst;
    dst[0] = ch;
    dst[1] = 0;
}

void StrCat(u16char *dst, const u16char *src)
{
    if (!dst || !src || !*src) return;
    while (*dst)
        ++dst;
    StrCpy(dst, src);
}

u16char *CreateCopy(const u16char *text, int length)
{
    if (!text) return nullptr;
    if (length < 0) length = StrLen(text);
    if (length == 0) return nullptr;
    u16char *copy = new u16char[static_cast<size_t>(length) + 1];
    std::memcpy(copy, text, static_cast<size_t>(length) * sizeof(u16char));
    copy[length] = 0; // terminated even when length is shorter than the text
    return copy;
}

int StrCpy(u16char *dst, int capacity, const u16char *src)
{
    if (!dst || capacity < 1) return 0;
    int i = 0;
    if (src)
        for (; i < capacity - 1 && src[i]; ++i)
            dst[i] = src[i];
    dst[i] = 0;
    return i;
}

int StrCat(u16char *dst, int capacity, const u16char *src)
{
    if (!dst || capacity < 1) return 0;
    int len = 0;
    while (len < capacity - 1 && dst[len])
        ++len;
    if (src)
        for (; len < capacity - 1 && *src; ++len)
            dst[len] = *src++;
    dst[len] = 0;
    return len;
}

int StrAppendChar(u16char *dst, int capacity, u16char ch)
{
    if (!dst || capacity < 1) return 0;
    int len = 0;
    while (len < capacity - 1 && dst[len])
        ++len;
    if (ch && len < capacity - 1) dst[len++] = ch;
    dst[len] = 0;
    return len;
}

u16char *StrChr(const u16char *text, u16char ch)
{
    if (!text) return nullptr;
    for (; *text; ++text)
        if (*text == ch) return const_cast<u16char *>(text);
    return nullptr;
}

u16char *StrChrN(const u16char *text, u16char ch, int n)
{
    if (!text) return nullptr;
    for (int i = 0; i < n && text[i]; ++i)
        if (text[i] == ch) return const_cast<u16char *>(text + i);
    return nullptr;
}

u16char *StrRChr(const u16char *text, u16char ch)
{
    if (!text) return nullptr;
    const u16char *found = nullptr;
    for (; *text; ++text)
        if (*text == ch) found = text;
    return const_cast<u16char *>(found);
}

int StatChar(const u16char *text, u16char ch)
{
    if (!text) return 0;
    int n = 0;
    for (; *text; ++text)
        if (*text == ch) ++n;
    return n;
}

int StrCmp(const u16char *a, const u16char *b)
{
    if (!a) return b ? -1 : 0;
    if (!b) return 1;
    while (*a && *a == *b)
        ++a, ++b;
    return static_cast<int>(*a) - static_cast<int>(*b);
}

int StrNCmp(const u16char *a, const u16char *b, int n)
{
    if (n < 1) return 0;
    if (!a) return b ? -1 : 0;
    if (!b) return 1;
    int i = 0;
    for (; i < n - 1; ++i)
    {
        if (a[i] != b[i]) break;
        if (a[i] == 0) return 0; // both ended: never read past the texts
    }
    return static_cast<int>(a[i]) - static_cast<int>(b[i]);
}

namespace
{
inline u16char Upper(u16char c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<u16char>(c - 32) : c;
}
inline u16char Lower(u16char c)
{
    return (c >= u'A' && c <= u'Z') ? static_cast<u16char>(c + 32) : c;
}

template <u16char (*F)(u16char)> u16char *MapInPlace(u16char *text)
{
    if (!text) return nullptr;
    for (u16char *p = text; *p; ++p)
        *p = F(*p);
    return text;
}

template <u16char (*F)(u16char)> void MapCopy(const u16char *src, u16char *dst)
{
    if (!dst) return;
    if (src)
        while (*src)
            *dst++ = F(*src++);
    *dst = 0;
}

template <u16char (*F)(u16char)> int MapCopyN(const u16char *src, u16char *dst, int capacity)
{
    if (!dst || capacity < 1) return 0;
    int i = 0;
    if (src)
        for (; i < capacity - 1 && src[i]; ++i)
            dst[i] = F(src[i]);
    dst[i] = 0;
    return i;
}
} // namespace

u16char *UpperCase(u16char *text)
{
    return MapInPlace<Upper>(text);
}
u16char *LowerCase(u16char *text)
{
    return MapInPlace<Lower>(text);
}
void UpperCase(const u16char *src, u16char *dst)
{
    MapCopy<Upper>(src, dst);
}
void LowerCase(const u16char *src, u16char *dst)
{
    MapCopy<Lower>(src, dst);
}
int UpperCase(const u16char *src, u16char *dst, int capacity)
{
    return MapCopyN<Upper>(src, dst, capacity);
}
int LowerCase(const u16char *src, u16char *dst, int capacity)
{
    return MapCopyN<Lower>(src, dst, capacity);
}

u16char *ReplaceChar(u16char *text, u16char from, u16char to)
{
    if (!text) return nullptr;
    for (u16char *p = text; *p; ++p)
        if (*p == from) *p = to;
    return text;
}

int SPrintf(u16char *buffer, const u16char *format, ...)
{
    if (!buffer) return 0;
    va_list ap;
    va_start(ap, format);
    // The caller promises room for the whole text; INT_MAX is "no bound".
    int n = VSPrintf(buffer, INT_MAX, format, ap);
    va_end(ap);
    return n;
}

int ParseInt(const u16char *text)
{
    if (!text) return 0;
    bool neg = false;
    if (*text == u'-')
    {
        neg = true;
        ++text;
    }
    uint32_t value = 0; // wraps like the 32-bit original instead of overflowing
    for (; *text >= u'0' && *text <= u'9'; ++text)
        value = value * 10u + static_cast<uint32_t>(*text - u'0');
    if (neg) value = 0u - value;
    return static_cast<int>(value);
}

unsigned int ParseUInt(const u16char *text)
{
    if (!text) return 0;
    unsigned int value = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text)
        value = value * 10u + static_cast<unsigned int>(*text - u'0');
    return value;
}

namespace
{
template <typename T> T ParseReal(const u16char *text)
{
    if (!text) return 0;
    bool neg = false;
    if (*text == u'-')
    {
        neg = true;
        ++text;
    }
    T value = 0;
    for (; *text; ++text)
    {
        if (*text >= u'0' && *text <= u'9')
        {
            value = value * static_cast<T>(10);
            value = value + static_cast<T>(*text - u'0');
            continue;
        }
        if (*text == u'.')
        {
            ++text;
            T divisor = 10;
            for (; *text >= u'0' && *text <= u'9'; ++text)
            {
                T step = static_cast<T>(*text - u'0') / divisor;
                value = value + step;
                divisor = divisor * static_cast<T>(10);
            }
        }
        break;
    }
    return neg ? -value : value;
}
} // namespace

float ParseFloat(const u16char *text)
{
    return ParseReal<float>(text);
}
double ParseDouble(const u16char *text)
{
    return ParseReal<double>(text);
}

int StrToInt(const u16char *text)
{
    return ParseInt(text);
}
unsigned int StrToUInt(const u16char *text)
{
    return ParseUInt(text);
}
float StrToFloat(const u16char *text)
{
    return ParseFloat(text);
}
double StrToDouble(const u16char *text)
{
    return ParseDouble(text);
}

bool StrToBool(const u16char *text)
{
    return text && (*text == u'T' || *text == u't');
}

namespace
{
u16char *WriteDigits(u16char *buffer, int size, bool negative, uint64 magnitude)
{
    if (!buffer || size < 1) return nullptr;
    u16char digits[24];
    int n = 0;
    do
    {
        digits[n++] = static_cast<u16char>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int pos = 0;
    if (negative) buffer[pos++] = u'-';
    while (pos < size && n > 0)
        buffer[pos++] = digits[--n];
    buffer[pos] = 0;
    return buffer;
}
} // namespace

u16char *Int64ToStr(u16char *buffer, int size, int64 value)
{
    // Negating through unsigned keeps the most negative value exact.
    uint64 magnitude = value < 0 ? 0ULL - static_cast<uint64>(value) : static_cast<uint64>(value);
    return WriteDigits(buffer, size, value < 0, magnitude);
}

u16char *UInt64ToStr(u16char *buffer, int size, uint64 value)
{
    return WriteDigits(buffer, size, false, value);
}
} // namespace hgl
