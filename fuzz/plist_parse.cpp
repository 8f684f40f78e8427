// Bytes as a key/value text: the lines through the parser into the sorted map,
// then every pair read back.
#include "io/MemStream.h"
#include "io/PList.h"
#include "io/StringList.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MemStream ms;
    if (size) ms.Write(data, int(size));
    ms.Position = 0;
    hgl::StringList lines;
    lines.LoadFromStream(&ms, 65001);
    hgl::PList p;
    p.LoadFromStringList(lines);
    if (p.GetCount() > lines.Count) __builtin_trap();
    hgl::String key, value, found;
    for (int i = 0; i < p.GetCount(); ++i)
    {
        if (!p.GetPair(i, key, value)) __builtin_trap();
        // Keys are unique: each one finds its own value.
        if (!p.Get(key, found) || found.Comp(value) != 0) __builtin_trap();
    }
    return 0;
}
