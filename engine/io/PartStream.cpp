#include "io/PartStream.h"

namespace hgl
{
PartStream::PartStream(Stream *p, int64 s, int64 l, bool ro)
    : parent(p), start(s < 0 ? 0 : s), length(l < 0 ? 0 : l), read_only(ro)
{
}

void PartStream::SetPosition(int64 pos)
{
    if (pos < 0) pos = 0;
    if (pos > length) pos = length;
    if (parent) parent->Position = start + pos;
    position = pos;
}

int PartStream::ReadAt(int64 offset, void *buffer, int n)
{
    if (!parent || !buffer || n < 0 || offset < 0) return -1;
    if (offset >= length) return 0;
    if (length - offset < n) n = int(length - offset);
    if (n <= 0) return 0;
    return parent->ReadAt(start + offset, buffer, n);
}

int PartStream::WriteAt(int64 offset, const void *buffer, int n)
{
    if (read_only || !parent || !buffer || n < 0 || offset < 0) return -1;
    if (offset >= length) return 0;
    if (length - offset < n) n = int(length - offset);
    if (n <= 0) return 0;
    return parent->WriteAt(start + offset, buffer, n);
}

int PartStream::Read(void *buffer, int n)
{
    const int r = ReadAt(position, buffer, n);
    if (r > 0) position += r;
    return r;
}

int PartStream::Write(const void *buffer, int n)
{
    const int r = WriteAt(position, buffer, n);
    if (r > 0) position += r;
    return r;
}
} // namespace hgl
