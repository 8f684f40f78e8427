// Bytes as a TDF tree: load, save, load, save, load, save. Each save reverses the
// child order, so the first and third saves must be equal; and when the input
// loaded completely, the second save gives back exactly the bytes it used.
#include "io/MemStream.h"
#include "io/TDF.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace
{
std::vector<uint8_t> Save(const hgl::TDFNode &n)
{
    hgl::MemStream ms;
    if (!n.Save(&ms)) __builtin_trap();
    return std::vector<uint8_t>(ms.GetData(), ms.GetData() + int64_t(ms.Size));
}

bool Load(hgl::TDFNode &n, const uint8_t *data, size_t size, int64_t *used)
{
    hgl::MemStream ms;
    if (size) ms.Write(data, int(size));
    ms.Position = 0;
    const bool ok = n.Load(&ms);
    if (used) *used = ms.Position;
    return ok;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::TDFNode first;
    int64_t used = 0;
    const bool complete = Load(first, data, size, &used);
    const auto s1 = Save(first);

    hgl::TDFNode second;
    if (!Load(second, s1.data(), s1.size(), nullptr)) __builtin_trap();
    const auto s2 = Save(second);
    if (complete &&
        (s2.size() != size_t(used) || (used > 0 && std::memcmp(s2.data(), data, size_t(used)) != 0)))
        __builtin_trap();

    hgl::TDFNode third;
    if (!Load(third, s2.data(), s2.size(), nullptr)) __builtin_trap();
    if (Save(third) != s1) __builtin_trap();

    // The value readers on whatever the children hold.
    for (int i = 0; i < first.GetChildCount(); ++i)
    {
        hgl::TDFNode *c = first.GetChild(i);
        const hgl::u16char *key = c->GetName().c_str();
        if (!key) continue;
        int32_t v32;
        int64_t v64;
        hgl::String s;
        hgl::u16char text[64];
        uint8_t raw[16];
        first.GetInt32(key, v32);
        first.GetInt64(key, v64);
        first.GetString(key, s);
        first.GetText(key, text, 63);
        first.GetData(key, raw, sizeof(raw));
        first.LoadCompressData(c->GetName(), raw, sizeof(raw));
    }
    return 0;
}
