#include "io/FileStream.h"

#include "core/Log.h"
#include "platform/File.h"

namespace hgl
{
bool FileStream::Open(const u16char *name, int mode)
{
    Close();
    if (mode != 1 && mode != 2 && mode != 4 && mode != 6)
    {
        PutError(u"打开文件<%s>使用了未知的打开方式:%d", name, mode);
        return false;
    }
    int error = 0;
    const int handle = platform::FdOpen(name, mode, &error);
    if (handle < 0)
    {
        PutInfo(u"打开文件<%d><%s>失败！Windows错误代码:%u", mode, name, uint(error));
        return false;
    }
    fd = handle;
    file_name = name;
    return true;
}

bool FileStream::Create(const u16char *name)
{
    Close();
    return Open(name, fomCreateReadWrite);
}

void FileStream::Close()
{
    if (fd >= 0) platform::FdClose(fd);
    fd = -1;
    file_name.clear();
}

int FileStream::Read(void *buffer, int size)
{
    if (fd < 0 || size < 1 || !buffer) return -1;
    return platform::FdRead(fd, buffer, size);
}

int FileStream::Write(const void *buffer, int size)
{
    if (fd < 0 || size < 1 || !buffer) return -1;
    return platform::FdWrite(fd, buffer, size);
}

int FileStream::ReadAt(int64 offset, void *buffer, int size)
{
    if (fd < 0 || size < 1 || !buffer || offset < 0) return -1;
    return platform::FdReadAt(fd, offset, buffer, size);
}

int FileStream::WriteAt(int64 offset, const void *buffer, int size)
{
    if (fd < 0 || size < 1 || !buffer || offset < 0) return -1;
    return platform::FdWriteAt(fd, offset, buffer, size);
}

int64 FileStream::Seek(int64 offset, int origin)
{
    if (fd < 0 || origin < 0 || origin > 2) return -1;
    return platform::FdSeek(fd, offset, origin);
}

int64 FileStream::GetPosition() const
{
    if (fd < 0) return -1;
    return platform::FdSeek(fd, 0, soCurrent);
}

void FileStream::SetPosition(int64 pos)
{
    if (fd < 0) return;
    platform::FdSeek(fd, pos, soBegin);
}

int64 FileStream::GetSize() const
{
    if (fd < 0) return -1;
    return platform::FdSize(fd);
}
} // namespace hgl
