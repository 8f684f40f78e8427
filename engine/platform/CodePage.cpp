#include "platform/CodePage.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <mutex>

namespace hgl
{
namespace platform
{
namespace
{
struct CodePageEntry
{
    uint codePage;
    const char *charset;
    int maxCharSize;
};

// Windows code-page numbers and the iconv names of the same tables.
const CodePageEntry kCodePages[] = {
    {437, "CP437", 1},        {720, "CP720", 1},        {737, "CP737", 1},         {775, "CP775", 1},
    {850, "CP850", 1},        {852, "CP852", 1},        {855, "CP855", 1},         {857, "CP857", 1},
    {858, "CP858", 1},        {860, "CP860", 1},        {861, "CP861", 1},         {862, "CP862", 1},
    {863, "CP863", 1},        {864, "CP864", 1},        {865, "CP865", 1},         {866, "CP866", 1},
    {869, "CP869", 1},        {874, "CP874", 1},        {932, "CP932", 2},         {936, "CP936", 2},
    {949, "CP949", 2},        {950, "CP950", 2},        {1200, "UTF-16LE", 4},     {1201, "UTF-16BE", 4},
    {1250, "CP1250", 1},      {1251, "CP1251", 1},      {1252, "CP1252", 1},       {1253, "CP1253", 1},
    {1254, "CP1254", 1},      {1255, "CP1255", 1},      {1256, "CP1256", 1},       {1257, "CP1257", 1},
    {1258, "CP1258", 1},      {1361, "CP1361", 2},      {10000, "MACINTOSH", 1},   {12000, "UTF-32LE", 4},
    {12001, "UTF-32BE", 4},   {20127, "ASCII", 1},      {20866, "KOI8-R", 1},      {20932, "EUC-JP", 3},
    {21866, "KOI8-U", 1},     {28591, "ISO-8859-1", 1}, {28592, "ISO-8859-2", 1},  {28593, "ISO-8859-3", 1},
    {28594, "ISO-8859-4", 1}, {28595, "ISO-8859-5", 1}, {28596, "ISO-8859-6", 1},  {28597, "ISO-8859-7", 1},
    {28598, "ISO-8859-8", 1}, {28599, "ISO-8859-9", 1}, {28603, "ISO-8859-13", 1}, {28605, "ISO-8859-15", 1},
    {51932, "EUC-JP", 3},     {51936, "EUC-CN", 2},     {51949, "EUC-KR", 2},      {54936, "GB18030", 4},
    {65001, "UTF-8", 4},
};

const CodePageEntry *FindEntry(uint codePage)
{
    for (const CodePageEntry &e : kCodePages)
        if (e.codePage == codePage) return &e;
    return nullptr;
}

constexpr uint kDefaultAnsi = 936;
std::atomic<uint> g_ansi{0}; // 0: not decided yet

// One decoder and one encoder per code page, opened on first use and kept for
// the life of the process (opening costs far more than a short conversion). A
// descriptor carries conversion state, so each is used under its page's lock.
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

struct Descriptors
{
    std::mutex lock;
    iconv_t decoder = kNoDescriptor;
    iconv_t encoder = kNoDescriptor;
};

Descriptors g_descriptors[sizeof(kCodePages) / sizeof(kCodePages[0])];

Descriptors &DescriptorsOf(const CodePageEntry *e)
{
    return g_descriptors[e - kCodePages];
}

// Call with the page's lock held.
iconv_t Open(const CodePageEntry *e, bool decode)
{
    Descriptors &d = DescriptorsOf(e);
    iconv_t &cd = decode ? d.decoder : d.encoder;
    if (cd == kNoDescriptor)
        cd = decode ? iconv_open("UTF-16LE", e->charset) : iconv_open(e->charset, "UTF-16LE");
    return cd;
}

bool CanOpen(const CodePageEntry *e, bool decode)
{
    if (e->codePage == CodePageUTF8) return true;
    std::lock_guard<std::mutex> guard(DescriptorsOf(e).lock);
    return Open(e, decode) != kNoDescriptor;
}

// ---- UTF-8, done by hand: it is the common case and Windows' rules are simple.

void DecodeUTF8(const unsigned char *s, size_t n, std::u16string &out)
{
    size_t i = 0;
    while (i < n)
    {
        unsigned c = s[i];
        if (c < 0x80)
        {
            out.push_back(static_cast<u16char>(c));
            ++i;
            continue;
        }
        int need;
        unsigned cp, lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF)
            need = 1, cp = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
        {
            need = 2, cp = c & 0x0F;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F; // no encoded surrogates
        }
        else if (c >= 0xF0 && c <= 0xF4)
        {
            need = 3, cp = c & 0x07;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        }
        else
        {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        size_t j = i + 1;
        int got = 0;
        while (got < need && j < n)
        {
            unsigned t = s[j];
            if (t < lo || t > hi) break;
            cp = (cp << 6) | (t & 0x3F);
            lo = 0x80, hi = 0xBF;
            ++j, ++got;
        }
        if (got < need)
        { // the longest valid start of a sequence becomes one U+FFFD
            out.push_back(0xFFFD);
            i = j;
            continue;
        }
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out.push_back(static_cast<u16char>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<u16char>(0xDC00 + (cp & 0x3FF)));
        }
        else
        {
            out.push_back(static_cast<u16char>(cp));
        }
        i = j;
    }
}

void EncodeUTF8(const u16char *s, size_t n, std::string &out)
{
    for (size_t i = 0; i < n; ++i)
    {
        unsigned c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        }
        else if (c >= 0xD800 && c <= 0xDFFF)
        {
            c = 0xFFFD; // a lone surrogate
        }
        if (c < 0x80)
        {
            out.push_back(static_cast<char>(c));
        }
        else if (c < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else if (c < 0x10000)
        {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
        else
        {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
}

// ---- Everything else through iconv, with Windows' "never fail" rules.

bool DecodeIconv(const CodePageEntry *e, const char *src, size_t n, std::u16string &out)
{
    std::lock_guard<std::mutex> guard(DescriptorsOf(e).lock);
    iconv_t cd = Open(e, true);
    if (cd == kNoDescriptor) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const u16char substitute = u'?';
    char *in = const_cast<char *>(src);
    size_t inLeft = n;
    u16char chunk[512];
    while (inLeft > 0)
    {
        char *o = reinterpret_cast<char *>(chunk);
        size_t oLeft = sizeof(chunk);
        size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(chunk, (sizeof(chunk) - oLeft) / sizeof(u16char));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ, EINVAL (cut at the end) or anything else: one substitute, one byte.
        out.push_back(substitute);
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char *o = reinterpret_cast<char *>(chunk);
    size_t oLeft = sizeof(chunk);
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(chunk, (sizeof(chunk) - oLeft) / sizeof(u16char));
    return true;
}

bool EncodeIconv(const CodePageEntry *e, const u16char *src, size_t n, std::string &out)
{
    std::lock_guard<std::mutex> guard(DescriptorsOf(e).lock);
    iconv_t cd = Open(e, false);
    if (cd == kNoDescriptor) return false;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *in = reinterpret_cast<char *>(const_cast<u16char *>(src));
    size_t inLeft = n * sizeof(u16char);
    char chunk[1024];
    while (inLeft > 0)
    {
        char *o = chunk;
        size_t oLeft = sizeof(chunk);
        size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(chunk, sizeof(chunk) - oLeft);
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // A unit (or surrogate pair) the code page cannot show: the default character.
        size_t skip = sizeof(u16char);
        if (inLeft >= 4)
        {
            u16char a, b;
            std::memcpy(&a, in, 2);
            std::memcpy(&b, in + 2, 2);
            if (a >= 0xD800 && a <= 0xDBFF && b >= 0xDC00 && b <= 0xDFFF) skip = 4;
        }
        if (skip > inLeft) skip = inLeft;
        out.push_back('?');
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char *o = chunk;
    size_t oLeft = sizeof(chunk);
    iconv(cd, nullptr, nullptr, &o, &oLeft);
    out.append(chunk, sizeof(chunk) - oLeft);
    return true;
}

bool Decode(uint codePage, const char *src, size_t n, std::u16string &out)
{
    out.clear();
    const CodePageEntry *e = FindEntry(ResolveCodePage(codePage));
    if (!e || !src) return false;
    if (n == 0) return true;
    out.reserve(n);
    if (e->codePage == CodePageUTF8)
    {
        DecodeUTF8(reinterpret_cast<const unsigned char *>(src), n, out);
        return true;
    }
    return DecodeIconv(e, src, n, out);
}

bool Encode(uint codePage, const u16char *src, size_t n, std::string &out)
{
    out.clear();
    const CodePageEntry *e = FindEntry(ResolveCodePage(codePage));
    if (!e || !src) return false;
    if (n == 0) return true;
    out.reserve(n * 2);
    if (e->codePage == CodePageUTF8)
    {
        EncodeUTF8(src, n, out);
        return true;
    }
    return EncodeIconv(e, src, n, out);
}

size_t Length16(const u16char *s)
{
    size_t n = 0;
    while (s[n])
        ++n;
    return n;
}
} // namespace

uint ResolveCodePage(uint codePage)
{
    return codePage == CodePageAnsi ? GetAnsiCodePage() : codePage;
}

const char *CodePageCharset(uint codePage)
{
    const CodePageEntry *e = FindEntry(codePage);
    return e ? e->charset : nullptr;
}

bool IsValidCodePage(uint codePage)
{
    const CodePageEntry *e = FindEntry(codePage);
    return e && CanOpen(e, true);
}

bool GetCodePageInfo(uint codePage, CodePageInfo &info)
{
    const CodePageEntry *e = FindEntry(ResolveCodePage(codePage));
    if (!e) return false;
    if (!CanOpen(e, true) || !CanOpen(e, false)) return false;
    info.maxCharSize = e->maxCharSize;
    info.defaultChar[0] = '?';
    info.defaultChar[1] = 0;
    return true;
}

int MultiByteToUTF16(uint codePage, const char *src, int srcLen, u16char *dst, int dstSize)
{
    if (!src || srcLen == 0 || srcLen < -1) return 0;
    size_t n = srcLen == -1 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
    std::u16string text;
    if (!Decode(codePage, src, n, text)) return 0;
    if (text.size() > INT_MAX) return 0;
    const int count = static_cast<int>(text.size());
    if (!dst || dstSize <= 0) return count;
    if (count > dstSize) return 0;
    std::memcpy(dst, text.data(), text.size() * sizeof(u16char));
    return count;
}

int UTF16ToMultiByte(uint codePage, const u16char *src, int srcLen, char *dst, int dstSize)
{
    if (!src || srcLen == 0 || srcLen < -1) return 0;
    size_t n = srcLen == -1 ? Length16(src) + 1 : static_cast<size_t>(srcLen);
    std::string text;
    if (!Encode(codePage, src, n, text)) return 0;
    if (text.size() > INT_MAX) return 0;
    const int count = static_cast<int>(text.size());
    if (!dst || dstSize <= 0) return count;
    if (count > dstSize) return 0;
    std::memcpy(dst, text.data(), text.size());
    return count;
}

bool MultiByteToUTF16(uint codePage, const char *src, int srcLen, std::u16string &out)
{
    out.clear();
    if (!src || srcLen < -1) return false;
    size_t n = srcLen == -1 ? std::strlen(src) : static_cast<size_t>(srcLen);
    return Decode(codePage, src, n, out);
}

bool UTF16ToMultiByte(uint codePage, const u16char *src, int srcLen, std::string &out)
{
    out.clear();
    if (!src || srcLen < -1) return false;
    size_t n = srcLen == -1 ? Length16(src) : static_cast<size_t>(srcLen);
    return Encode(codePage, src, n, out);
}

std::u16string UTF8ToUTF16(const std::string &text)
{
    std::u16string out;
    DecodeUTF8(reinterpret_cast<const unsigned char *>(text.data()), text.size(), out);
    return out;
}

std::u16string UTF8ToUTF16(const char *text, int len)
{
    std::u16string out;
    if (!text || len < -1) return out;
    size_t n = len == -1 ? std::strlen(text) : static_cast<size_t>(len);
    DecodeUTF8(reinterpret_cast<const unsigned char *>(text), n, out);
    return out;
}

std::string UTF16ToUTF8(const std::u16string &text)
{
    std::string out;
    EncodeUTF8(text.data(), text.size(), out);
    return out;
}

std::string UTF16ToUTF8(const u16char *text, int len)
{
    std::string out;
    if (!text || len < -1) return out;
    size_t n = len == -1 ? Length16(text) : static_cast<size_t>(len);
    EncodeUTF8(text, n, out);
    return out;
}
} // namespace platform

bool SetAnsiCodePage(uint codePage)
{
    if (codePage == platform::CodePageAnsi || !platform::IsValidCodePage(codePage)) return false;
    platform::g_ansi.store(codePage, std::memory_order_relaxed);
    return true;
}

uint GetAnsiCodePage()
{
    uint cp = platform::g_ansi.load(std::memory_order_relaxed);
    if (cp != 0) return cp;
    cp = platform::kDefaultAnsi;
    if (const char *env = std::getenv("HGL_ANSI_CODEPAGE"))
    {
        char *end = nullptr;
        unsigned long v = std::strtoul(env, &end, 10);
        if (end != env && *end == 0 && v > 0 && v <= UINT_MAX &&
            platform::IsValidCodePage(static_cast<uint>(v)))
            cp = static_cast<uint>(v);
    }
    uint expected = 0;
    platform::g_ansi.compare_exchange_strong(expected, cp, std::memory_order_relaxed);
    return platform::g_ansi.load(std::memory_order_relaxed);
}
} // namespace hgl
