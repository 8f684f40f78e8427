#include "io/MemStream.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "core/Log.h"
#include "core/Memory.h"
#include "io/FileStream.h"

namespace hgl
{
namespace
{
// malloc of at least one byte, so that a stream of size 0 still has a buffer.
void *Alloc(int64 n)
{
    if (n < 0 || uint64(n) > SIZE_MAX / 2) return nullptr;
    return std::malloc(n > 0 ? size_t(n) : 1);
}
} // namespace

bool MemStream::Create(int64 new_size, bool is_fixed)
{
    Clear();
    void *p = Alloc(new_size);
    if (!p) return false;
    buffer = static_cast<uint8 *>(p);
    size = new_size;
    position = 0;
    fixed = is_fixed;
    return true;
}

void MemStream::Clear()
{
    std::free(buffer);
    buffer = nullptr;
    size = 0;
    position = 0;
    fixed = false;
}

bool MemStream::Resize(int64 new_size)
{
    if (new_size < 0 || uint64(new_size) > SIZE_MAX / 2) return false;
    void *p = std::realloc(buffer, new_size > 0 ? size_t(new_size) : 1);
    if (!p) return false; // the old block and size stay as they were
    buffer = static_cast<uint8 *>(p);
    size = new_size;
    if (position > size) position = size;
    return true;
}

int MemStream::Read(void *buf, int n)
{
    if (!buf || n < 0) return -1;
    if (!buffer) return 0;
    if (size - position < n) n = int(size - position);
    if (n <= 0) return 0;
    FastMemCopy(buf, buffer + position, n);
    position += n;
    return n;
}

int MemStream::Write(const void *buf, int n)
{
    if (!buf || n < 0) return -1;
    if (!buffer)
    {
        void *p = Alloc(n);
        if (!p) return -1;
        buffer = static_cast<uint8 *>(p);
        if (n > 0) FastMemCopy(buffer, buf, n);
        size = position = n;
        return n;
    }
    if (size - position < n)
    {
        if (fixed)
            n = int(size - position);
        else if (!Resize(position + n))
            return -1;
    }
    if (n > 0)
    {
        FastMemCopy(buffer + position, buf, n);
        position += n;
    }
    return n;
}

int MemStream::ReadAt(int64 offset, void *buf, int n)
{
    if (!buf || n < 0 || offset < 0) return -1;
    if (!buffer || offset >= size) return 0;
    if (size - offset < n) n = int(size - offset);
    if (n > 0) FastMemCopy(buf, buffer + offset, n);
    return n;
}

int MemStream::WriteAt(int64 offset, const void *buf, int n)
{
    if (!buf || n < 0 || offset < 0) return -1;
    if (!buffer)
    {
        if (offset != 0) return -1;
        return Write(buf, n);
    }
    if (offset > size) return -1;
    if (size - offset < n)
    {
        if (fixed)
            n = int(size - offset);
        else if (!Resize(offset + n))
            return -1;
    }
    if (n > 0) FastMemCopy(buffer + offset, buf, n);
    return n;
}

void MemStream::SetPosition(int64 pos)
{
    if (!buffer) return;
    if (pos < 0)
        position = 0;
    else if (pos < size)
        position = pos;
    else
        position = size;
}

void MemStream::SetSize(int64 new_size)
{
    if (!buffer || fixed || new_size < 0 || new_size == size) return;
    Resize(new_size);
}

bool MemStream::LoadFromFile(const u16char *name)
{
    if (!name) return false;
    FileStream file;
    if (!file.Open(name, fomOpenRead)) return false;
    Clear();
    const int64 file_size = file.Size;
    if (file_size <= 0) return false;
    if (file_size > INT_MAX)
    {
        PutError(u"文件<%s>太大，无法载入内存!", name);
        return false;
    }
    if (!Create(file_size, false)) return false;
    if (file.Read(buffer, int(file_size)) != int(file_size))
    {
        Clear();
        return false;
    }
    position = 0;
    return true;
}

bool MemStream::SaveToStream(Stream *stream) const
{
    if (!stream) return false;
    const int64 n = GetSize();
    if (n > INT_MAX) return false; // neither the u32 count nor one transfer could hold it
    const uint32 count = uint32(n);
    if (!stream->WriteFully(&count, 4)) return false;
    if (n == 0) return true;
    return stream->WriteFully(buffer, int(n));
}

bool MemStream::LoadFromStream(Stream *stream)
{
    if (!stream) return false;
    Clear();
    uint32 count;
    if (!stream->ReadFully(&count, 4)) return false;
    position = 0;
    if (count == 0) return true;
    const int64 left = stream->Remaining();
    if (count > uint32(INT_MAX) || (left >= 0 && int64(count) > left))
    {
        PutError(u"流中的数据长度<%u>超出了剩余的数据!", uint(count));
        return false;
    }
    if (!Create(int64(count), false)) return false;
    if (!stream->ReadFully(buffer, int(count)))
    {
        Clear();
        return false;
    }
    return true;
}
} // namespace hgl
