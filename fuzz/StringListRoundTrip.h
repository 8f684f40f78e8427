#pragma once
// Shared body of the two string-list targets: bytes read either as a text file or
// as the list's stream form, and what was read must survive the stream form
// unchanged. The first byte picks the code page for text without a mark.
#include "io/MemStream.h"
#include "io/StringList.h"

#include <cstddef>
#include <cstdint>

inline int StringListRoundTrip(const uint8_t *data, size_t size, bool stream_form)
{
    if (size == 0) return 0;
    static const unsigned pages[3] = {0, 936, 65001};
    const unsigned page = pages[data[0] % 3];
    hgl::MemStream ms;
    if (size > 1) ms.Write(data + 1, int(size - 1));
    ms.Position = 0;

    hgl::StringList sl;
    if (stream_form)
        sl.ReadFromStream(&ms);
    else
        sl.LoadFromStream(&ms, page);

    hgl::MemStream out;
    if (!sl.WriteToStream(&out)) __builtin_trap();
    out.Position = 0;
    hgl::StringList back;
    if (!back.ReadFromStream(&out) || back.Count != sl.Count) __builtin_trap();
    for (int i = 0; i < sl.Count; ++i)
        if (back[i].Comp(sl[i]) != 0) __builtin_trap();
    if (sl.Count > 0) sl.Find(sl[sl.Count - 1]);
    return 0;
}
