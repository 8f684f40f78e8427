#include "core/Format.h"
#include "platform/CodePage.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace hgl
{
namespace
{
// Widths and precisions beyond this are clamped: no real line needs more, and an
// absurd "%999999999d" from a corrupt text must not turn into a giant allocation.
constexpr int kMaxField = 100000;

class VaArgs final : public FormatArgs
{
  public:
    explicit VaArgs(va_list src) { va_copy(ap_, src); }
    ~VaArgs() override { va_end(ap_); }

    long long GetInt(int size) override
    {
        switch (size)
        {
        case 1:
            return static_cast<signed char>(va_arg(ap_, int));
        case 2:
            return static_cast<short>(va_arg(ap_, int));
        case 8:
            return va_arg(ap_, long long);
        default:
            return va_arg(ap_, int);
        }
    }
    unsigned long long GetUInt(int size) override
    {
        switch (size)
        {
        case 1:
            return static_cast<unsigned char>(va_arg(ap_, unsigned int));
        case 2:
            return static_cast<unsigned short>(va_arg(ap_, unsigned int));
        case 8:
            return va_arg(ap_, unsigned long long);
        default:
            return va_arg(ap_, unsigned int);
        }
    }
    double GetDouble() override { return va_arg(ap_, double); }
    long double GetLongDouble() override { return va_arg(ap_, long double); }
    const void *GetPointer() override { return va_arg(ap_, const void *); }

  private:
    va_list ap_;
};

// Output: either a bounded buffer (writes while there is room, counts
// everything) or a growing string.
struct Out
{
    u16char *buf = nullptr;
    long long room = 0; // units of text that fit (terminator excluded)
    std::u16string *str = nullptr;
    long long total = 0;

    void Put(u16char c)
    {
        if (str)
            str->push_back(c);
        else if (total < room)
            buf[total] = c;
        ++total;
    }
    void Fill(u16char c, long long n)
    {
        if (n <= 0) return;
        if (str)
        {
            str->append(static_cast<size_t>(n), c);
        }
        else
        {
            long long fit = room - total;
            if (fit > n) fit = n;
            for (long long i = 0; i < fit; ++i)
                buf[total + i] = c;
        }
        total += n;
    }
    void Put(const u16char *s, long long n)
    {
        for (long long i = 0; i < n; ++i)
            Put(s[i]);
    }
    void PutNarrow(const char *s, long long n) // ASCII only (numbers)
    {
        for (long long i = 0; i < n; ++i)
            Put(static_cast<u16char>(static_cast<unsigned char>(s[i])));
    }
};

struct Spec
{
    bool left = false, plus = false, space = false, zero = false, alt = false;
    int width = 0;
    int prec = -1;
    int size = 4;      // integer argument size in bytes
    int textWidth = 0; // -1 narrow (h), 1 wide (l/w), 0 default
    bool longDouble = false;
};

void Pad(Out &out, const Spec &sp, long long len, bool before)
{
    if (sp.width > len && sp.left != before) out.Fill(u' ', sp.width - len);
}

void PutText(Out &out, const Spec &sp, const u16char *s, long long len)
{
    Pad(out, sp, len, true);
    out.Put(s, len);
    Pad(out, sp, len, false);
}

void PutInteger(Out &out, const Spec &sp, unsigned long long mag, bool neg, bool isSigned, int base,
                bool upper)
{
    const char *digitsOf = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char digits[72];
    int n = 0;
    if (!(mag == 0 && sp.prec == 0))
    {
        do
        {
            digits[n++] = digitsOf[mag % static_cast<unsigned>(base)];
            mag /= static_cast<unsigned>(base);
        } while (mag);
    }
    char prefix[3];
    int np = 0;
    if (isSigned)
    {
        if (neg)
            prefix[np++] = '-';
        else if (sp.plus)
            prefix[np++] = '+';
        else if (sp.space)
            prefix[np++] = ' ';
    }
    if (sp.alt && base == 16 && n > 0 && !(n == 1 && digits[0] == '0'))
    {
        prefix[np++] = '0';
        prefix[np++] = upper ? 'X' : 'x';
    }
    long long zeros = sp.prec > n ? sp.prec - n : 0;
    if (sp.alt && base == 8 && zeros == 0 && (n == 0 || digits[n - 1] != '0')) zeros = 1;
    if (sp.zero && !sp.left && sp.prec < 0 && sp.width > np + n + zeros) zeros = sp.width - np - n;

    long long len = np + zeros + n;
    Pad(out, sp, len, true);
    out.PutNarrow(prefix, np);
    out.Fill(u'0', zeros);
    for (int i = n - 1; i >= 0; --i)
        out.Put(static_cast<u16char>(digits[i]));
    Pad(out, sp, len, false);
}

void PutFloat(Out &out, const Spec &sp, char conv, FormatArgs &args)
{
    char fmt[40];
    int k = 0;
    fmt[k++] = '%';
    if (sp.left) fmt[k++] = '-';
    if (sp.plus) fmt[k++] = '+';
    if (sp.space) fmt[k++] = ' ';
    if (sp.zero) fmt[k++] = '0';
    if (sp.alt) fmt[k++] = '#';
    k += std::snprintf(fmt + k, sizeof(fmt) - k, "%d", sp.width);
    if (sp.prec >= 0) k += std::snprintf(fmt + k, sizeof(fmt) - k, ".%d", sp.prec);
    if (sp.longDouble) fmt[k++] = 'L';
    fmt[k++] = conv;
    fmt[k] = 0;

    long double ld = 0;
    double d = 0;
    if (sp.longDouble)
        ld = args.GetLongDouble();
    else
        d = args.GetDouble();

    char small[512];
    int n = sp.longDouble ? std::snprintf(small, sizeof(small), fmt, ld)
                          : std::snprintf(small, sizeof(small), fmt, d);
    if (n < 0) return;
    if (n < static_cast<int>(sizeof(small)))
    {
        out.PutNarrow(small, n);
        return;
    }
    std::string big(static_cast<size_t>(n) + 1, '\0');
    if (sp.longDouble)
        std::snprintf(big.data(), big.size(), fmt, ld);
    else
        std::snprintf(big.data(), big.size(), fmt, d);
    out.PutNarrow(big.data(), n);
}

// Reads a decimal field ("width" or "precision"), clamped.
int ReadNumber(const u16char *&p)
{
    long long v = 0;
    while (*p >= u'0' && *p <= u'9')
    {
        if (v <= kMaxField) v = v * 10 + (*p - u'0');
        ++p;
    }
    return static_cast<int>(v > kMaxField ? kMaxField : v);
}

void Run(Out &out, const u16char *f, FormatArgs &args)
{
    if (!f) return;
    while (*f)
    {
        if (*f != u'%')
        {
            out.Put(*f++);
            continue;
        }
        const u16char *start = f++;
        if (*f == u'%')
        {
            out.Put(u'%');
            ++f;
            continue;
        }
        Spec sp;
        for (;; ++f)
        {
            if (*f == u'-')
                sp.left = true;
            else if (*f == u'+')
                sp.plus = true;
            else if (*f == u' ')
                sp.space = true;
            else if (*f == u'0')
                sp.zero = true;
            else if (*f == u'#')
                sp.alt = true;
            else
                break;
        }
        if (*f == u'*')
        {
            ++f;
            long long w = args.GetInt(4);
            if (w < 0)
            {
                sp.left = true;
                w = -w;
            }
            sp.width = static_cast<int>(w > kMaxField ? kMaxField : w);
        }
        else
        {
            sp.width = ReadNumber(f);
        }
        if (*f == u'.')
        {
            ++f;
            if (*f == u'*')
            {
                ++f;
                long long pr = args.GetInt(4);
                sp.prec = pr < 0 ? -1 : static_cast<int>(pr > kMaxField ? kMaxField : pr);
            }
            else
            {
                sp.prec = ReadNumber(f);
            }
        }
        // size prefix
        switch (*f)
        {
        case u'h':
            ++f;
            if (*f == u'h')
            {
                ++f;
                sp.size = 1;
            }
            else
            {
                sp.size = 2;
            }
            sp.textWidth = -1;
            break;
        case u'l':
            ++f;
            if (*f == u'l') ++f;
            sp.size = 8;
            sp.textWidth = 1;
            break;
        case u'w':
            ++f;
            sp.textWidth = 1;
            break;
        case u'q':
        case u'j':
        case u'z':
        case u't':
            ++f;
            sp.size = 8;
            break;
        case u'L':
            ++f;
            sp.size = 8;
            sp.longDouble = true;
            break;
        case u'I':
            ++f;
            if (f[0] == u'6' && f[1] == u'4')
            {
                f += 2;
                sp.size = 8;
            }
            else if (f[0] == u'3' && f[1] == u'2')
            {
                f += 2;
                sp.size = 4;
            }
            else
            {
                sp.size = static_cast<int>(sizeof(size_t));
            }
            break;
        default:
            break;
        }

        const u16char conv = *f;
        if (conv == 0)
        { // a lone '%' at the end: copy it out
            out.Put(start, f - start);
            break;
        }
        ++f;
        switch (conv)
        {
        case u'd':
        case u'i':
        {
            long long v = args.GetInt(sp.size);
            unsigned long long mag =
                v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
            PutInteger(out, sp, mag, v < 0, true, 10, false);
            break;
        }
        case u'u':
            PutInteger(out, sp, args.GetUInt(sp.size), false, false, 10, false);
            break;
        case u'x':
            PutInteger(out, sp, args.GetUInt(sp.size), false, false, 16, false);
            break;
        case u'X':
            PutInteger(out, sp, args.GetUInt(sp.size), false, false, 16, true);
            break;
        case u'o':
            PutInteger(out, sp, args.GetUInt(sp.size), false, false, 8, false);
            break;
        case u'p':
        {
            Spec ps = sp;
            ps.prec = static_cast<int>(sizeof(void *) * 2);
            ps.alt = false;
            PutInteger(out, ps, reinterpret_cast<uintptr_t>(args.GetPointer()), false, false, 16, true);
            break;
        }
        case u'c':
        case u'C':
        {
            bool narrow = conv == u'C' ? sp.textWidth <= 0 : sp.textWidth < 0;
            u16char unit = static_cast<u16char>(args.GetInt(4));
            if (narrow)
            {
                const char byte = static_cast<char>(unit & 0xFF);
                u16char w[4];
                int n = platform::MultiByteToUTF16(0, &byte, 1, w, 4);
                unit = n > 0 ? w[0] : u'?';
            }
            PutText(out, sp, &unit, 1);
            break;
        }
        case u's':
        case u'S':
        {
            bool narrow = conv == u'S' ? sp.textWidth <= 0 : sp.textWidth < 0;
            const void *p = args.GetPointer();
            if (!narrow)
            {
                const u16char *s = p ? static_cast<const u16char *>(p) : u"(null)";
                long long len = 0;
                while ((sp.prec < 0 || len < sp.prec) && s[len])
                    ++len;
                PutText(out, sp, s, len);
            }
            else
            {
                const char *s = p ? static_cast<const char *>(p) : "(null)";
                long long len = 0;
                while ((sp.prec < 0 || len < sp.prec) && s[len])
                    ++len;
                std::u16string w;
                if (len > 0 && len < INT_MAX) platform::MultiByteToUTF16(0, s, static_cast<int>(len), w);
                PutText(out, sp, w.data(), static_cast<long long>(w.size()));
            }
            break;
        }
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A':
            PutFloat(out, sp, static_cast<char>(conv), args);
            break;
        case u'n':
            args.GetPointer();
            break; // never written through
        default:
            out.Put(start, f - start);
            break;
        }
    }
}

int Clamp(long long total)
{
    return total > INT_MAX ? INT_MAX : static_cast<int>(total);
}
} // namespace

int FormatInto(u16char *buf, int size, const u16char *format, FormatArgs &args)
{
    Out out;
    out.buf = buf;
    out.room = (buf && size > 0) ? size - 1 : 0;
    Run(out, format, args);
    if (buf && size > 0) buf[out.total < out.room ? out.total : out.room] = 0;
    return Clamp(out.total);
}

int VSPrintf(u16char *buf, int size, const u16char *format, va_list args)
{
    VaArgs a(args);
    return FormatInto(buf, size, format, a);
}

int SPrintfN(u16char *buf, int size, const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    int n = VSPrintf(buf, size, format, ap);
    va_end(ap);
    return n;
}

std::u16string FormatWith(const u16char *format, FormatArgs &args)
{
    std::u16string text;
    Out out;
    out.str = &text;
    Run(out, format, args);
    return text;
}

std::u16string VFormat(const u16char *format, va_list args)
{
    VaArgs a(args);
    return FormatWith(format, a);
}

std::u16string Format(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    std::u16string text = VFormat(format, ap);
    va_end(ap);
    return text;
}
} // namespace hgl
