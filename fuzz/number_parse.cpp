// Feeds arbitrary bytes, read as UTF-16 units, to the number parsers, the
// formatter (with a fixed, always-valid argument source) and String edits; the
// raw bytes also go through the code-page conversions.
#include "core/Format.h"
#include "core/String.h"
#include "core/StrFunc.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
class FixedArgs : public hgl::FormatArgs
{
  public:
    long long GetInt(int) override { return -123456789; }
    unsigned long long GetUInt(int) override { return 0xFEDCBA9876543210ULL; }
    double GetDouble() override { return -1.5e300; }
    long double GetLongDouble() override { return 2.5e-300L; }
    // Valid both as UTF-16 and as 8-bit text (the second byte is 0).
    const void *GetPointer() override { return u"text"; }
};

void Check(bool ok)
{
    if (!ok) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 1 << 16) return 0;
    std::u16string text(size / 2, u'\0');
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    const hgl::u16char *t = text.c_str();
    const int len = static_cast<int>(text.size());

    // Parsers and number round trips.
    const int i = hgl::ParseInt(t);
    (void)hgl::ParseUInt(t);
    (void)hgl::ParseFloat(t);
    (void)hgl::ParseDouble(t);
    (void)hgl::StrToBool(t);
    hgl::u16char digits[32];
    Check(hgl::ParseInt(hgl::Int64ToStr(digits, 31, i)) == i);
    Check(hgl::ParseUInt(hgl::UInt64ToStr(digits, 31, static_cast<unsigned>(i))) == static_cast<unsigned>(i));
    hgl::u16char small[4];
    hgl::Int64ToStr(small, 3, static_cast<int64_t>(i) * 1000003);

    // Plain text functions.
    const int n = hgl::StrLen(t);
    Check(n <= len);
    Check(hgl::StrCmp(t, t) == 0);
    Check(hgl::StrNCmp(t, t, n + 1) == 0);
    if (n > 0)
    {
        Check(hgl::StrChr(t, t[0]) == t);
        Check(hgl::StrRChr(t, t[n - 1]) != nullptr);
        Check(hgl::StatChar(t, t[0]) >= 1);
    }
    hgl::u16char bounded[16];
    hgl::StrCpy(bounded, 16, t);
    hgl::StrCat(bounded, 16, t);
    hgl::UpperCase(t, bounded, 16);

    // The formatter: the input as a format string.
    FixedArgs args;
    hgl::u16char out[512];
    const int want = hgl::FormatInto(out, 512, t, args);
    if (len < 256)
    {
        FixedArgs again;
        std::u16string whole = hgl::FormatWith(t, again);
        Check(static_cast<int>(whole.size()) == want);
        const size_t k = std::min<size_t>(whole.size(), 511);
        Check(whole.compare(0, k, out, k) == 0);
    }

    // String edits, with positions taken from the input.
    hgl::String s(t, len);
    hgl::String copy(s);
    Check(copy.c_str() == s.c_str());
    const int pos = len ? static_cast<int>(t[0] % (len + 1)) : 0;
    const int count = len > 1 ? static_cast<int>(t[1]) : 1;
    copy.Delete(pos, count);
    Check(s.Length == len);
    copy.Strcat(s.c_str(), s.Length);
    copy.LowerCase();
    copy.Replace(u'x', len ? t[len - 1] : u'a');
    hgl::String half(t, len / 2);
    (void)s.FindString(half);
    (void)s.Comp(half);
    (void)s.Comp(t);
    hgl::String cleared(s);
    if (half.Length > 0 && len < 512)
    {
        cleared.ClearString(half);
        Check(cleared.FindString(half) < 0);
    }
    s.Set(s.c_str() + (len ? pos % len : 0), -1);
    s.Sprintf(u"%s|%d", copy.c_str(), i);

    // Raw bytes through code pages.
    for (hgl::uint cp : {936u, 65001u, 54936u, 1252u})
    {
        hgl::String m(cp, reinterpret_cast<const char *>(data), static_cast<int>(size));
        char *back = nullptr;
        const int bytes = m.ToMultiByte(&back, cp);
        Check((bytes == 0) == (back == nullptr));
        delete[] back;
    }
    return 0;
}
