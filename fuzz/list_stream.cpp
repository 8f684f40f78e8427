// Lists read from untrusted bytes: raw value lists and owning lists with item
// readers, through a MemStream. Whatever loads must save and load back the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/List.h"
#include "core/ObjectList.h"
#include "core/String.h"
#include "io/MemStream.h"

namespace
{
bool WriteText(hgl::Stream *s, hgl::String *const *item)
{
    return s->WriteString(**item);
}
bool ReadText(hgl::Stream *s, hgl::String **item)
{
    return s->ReadString(**item) >= 0;
}

bool WriteSmall(hgl::Stream *s, const int32_t *v)
{
    const int16_t x = int16_t(*v);
    return s->WriteFully(&x, 2);
}
bool ReadSmall(hgl::Stream *s, int32_t *v)
{
    int16_t x;
    if (!s->ReadFully(&x, 2)) return false;
    *v = x;
    return true;
}

void Check(bool c)
{
    if (!c) std::abort();
}

template <typename L> void RoundTrip(L &list, int old)
{
    hgl::MemStream out;
    Check(list.SaveToStream(&out, 0, 0));
    out.Position = 0;
    L back;
    back.WriteItem = list.WriteItem;
    back.ReadItem = list.ReadItem;
    Check(back.LoadFromStream(&out, -1));
    Check(back.GetCount() == list.GetCount());
    (void)old;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2) return 0;
    const int mode = data[0] % 4;
    const int n = int(int8_t(data[1])); // -128..127: -1 is "all", others ask for a part
    hgl::MemStream s;
    s.Create(0, false);
    if (size > 2) s.Write(data + 2, int(size - 2));
    s.Position = 0;

    switch (mode)
    {
    case 0:
    {
        hgl::List<int32_t> l;
        l.Add(7);
        const bool ok = l.LoadFromStream(&s, n);
        Check(ok || (l.GetCount() == 1 && l[0] == 7));
        RoundTrip(l, 1);
        break;
    }
    case 1:
    {
        hgl::List<uint8_t> l;
        const bool ok = l.LoadFromStream(&s, n);
        Check(ok || l.GetCount() == 0);
        RoundTrip(l, 0);
        break;
    }
    case 2:
    {
        hgl::ObjectList<hgl::String> l;
        l.WriteItem = &WriteText;
        l.ReadItem = &ReadText;
        l.Create()->Set(u"keep");
        const bool ok = l.LoadFromStream(&s, n);
        Check(ok || l.GetCount() == 1);
        RoundTrip(l, 1);
        // Without item functions an owning list refuses outright.
        hgl::ObjectList<hgl::String> raw;
        s.Position = 0;
        Check(!raw.LoadFromStream(&s, -1));
        break;
    }
    case 3:
    {
        hgl::List<int32_t> l;
        l.WriteItem = &WriteSmall;
        l.ReadItem = &ReadSmall;
        const bool ok = l.LoadFromStream(&s, n);
        Check(ok || l.GetCount() == 0);
        RoundTrip(l, 0);
        break;
    }
    }
    return 0;
}
