#include "io/BufferedReadStream.h"

#include <algorithm>
#include <cstring>

namespace hgl
{
BufferedReadStream::BufferedReadStream(Stream *p, int buffer_bytes)
    : parent(p), base(p ? p->GetPosition() : 0), size(p ? p->GetSize() : 0),
      buf(size_t(std::max(buffer_bytes, 1)))
{
}

int BufferedReadStream::Read(void *dest, int n)
{
    if (!dest || n < 0) return -1;
    if (!parent) return 0;
    uint8 *out = static_cast<uint8 *>(dest);
    int done = 0;
    while (done < n)
    {
        if (at == have)
        {
            base += have;
            at = have = 0;
            if (n - done >= int(buf.size()))
            {
                const int got = parent->ReadAt(base, out + done, n - done);
                if (got <= 0) break;
                base += got;
                done += got;
                continue;
            }
            const int got = parent->ReadAt(base, buf.data(), int(buf.size()));
            if (got <= 0) break;
            have = got;
        }
        const int take = std::min(n - done, have - at);
        std::memcpy(out + done, buf.data() + at, size_t(take));
        at += take;
        done += take;
    }
    return done;
}

void BufferedReadStream::SetPosition(int64 pos)
{
    if (pos >= base && pos <= base + have)
        at = int(pos - base);
    else
    {
        base = pos;
        at = have = 0;
    }
}
} // namespace hgl
