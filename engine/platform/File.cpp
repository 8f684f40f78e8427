#include "platform/File.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/Path.h"

namespace hgl::platform
{
namespace
{
void SetError(int *error, int value)
{
    if (error) *error = value;
}

// Tells the resolver that a folder's listing changed.
void Touched(const std::string &native)
{
    std::string folder, name;
    SplitNativePath(native, folder, name);
    ForgetFolder(folder);
}

// One call that adds or removes a name (unlink, mkdir) on the resolved path: its
// errno lands in *error, and on success the folder's cached listing is dropped.
template <typename Call> bool ChangeListing(const u16char *path, int *error, Call call)
{
    if (!path || !*path)
    {
        SetError(error, ENOENT);
        return false;
    }
    const std::string p = ResolvePath(path);
    if (call(p.c_str()) != 0)
    {
        SetError(error, errno);
        return false;
    }
    Touched(p);
    SetError(error, 0);
    return true;
}

// Repeats one transfer call over short counts and EINTR until size bytes are
// done or the file ends; -1 only when it fails before anything was moved.
template <typename Byte, typename Call> int TransferAll(Byte *p, int size, Call call)
{
    int done = 0;
    while (done < size)
    {
        const ssize_t n = call(p + done, size_t(size - done), done);
        if (n < 0)
        {
            if (errno == EINTR) continue;
            return done > 0 ? done : -1;
        }
        if (n == 0) break;
        done += int(n);
    }
    return done;
}
} // namespace

int FdOpen(const u16char *name, int mode, int *error)
{
    int flags;
    switch (mode)
    {
    case fomCreateReadWrite:
        flags = O_RDWR | O_CREAT | O_TRUNC;
        break;
    case fomOpenRead:
        flags = O_RDONLY;
        break;
    case fomOpenWrite:
        flags = O_WRONLY | O_CREAT;
        break;
    case fomOpenReadWrite:
        flags = O_RDWR | O_CREAT;
        break;
    default:
        SetError(error, EINVAL);
        return -1;
    }
    if (!name || !*name)
    {
        SetError(error, ENOENT);
        return -1;
    }
    const std::string path = ResolvePath(name);
    int fd;
    // O_NONBLOCK only for the open itself: opening a named pipe would otherwise
    // wait for the other end for ever. Pipes and sockets are then refused; for
    // files and devices the flag is cleared again (it means nothing to files).
    do
        fd = open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
    {
        SetError(error, errno);
        return -1;
    }
    struct stat st;
    const bool stated = fstat(fd, &st) == 0;
    if (!stated || S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
    {
        const int e = !stated ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(fd);
        SetError(error, e);
        return -1;
    }
    const int fl = fcntl(fd, F_GETFL);
    if (fl == -1 || fcntl(fd, F_SETFL, fl & ~O_NONBLOCK) == -1)
    {
        const int e = errno;
        close(fd);
        SetError(error, e);
        return -1;
    }
    if (flags & O_CREAT) Touched(path);
    SetError(error, 0);
    return fd;
}

void FdClose(int fd)
{
    if (fd >= 0) close(fd); // never retried: on Linux the descriptor is gone either way
}

int FdRead(int fd, void *buffer, int size)
{
    if (fd < 0 || !buffer || size < 0) return -1;
    return TransferAll(static_cast<char *>(buffer), size,
                       [fd](char *p, size_t n, int) { return read(fd, p, n); });
}

int FdWrite(int fd, const void *buffer, int size)
{
    if (fd < 0 || !buffer || size < 0) return -1;
    return TransferAll(static_cast<const char *>(buffer), size,
                       [fd](const char *p, size_t n, int) { return write(fd, p, n); });
}

int FdReadAt(int fd, int64 offset, void *buffer, int size)
{
    if (fd < 0 || !buffer || size < 0 || offset < 0) return -1;
    return TransferAll(static_cast<char *>(buffer), size,
                       [fd, offset](char *p, size_t n, int done)
                       { return pread(fd, p, n, off_t(offset + done)); });
}

int FdWriteAt(int fd, int64 offset, const void *buffer, int size)
{
    if (fd < 0 || !buffer || size < 0 || offset < 0) return -1;
    return TransferAll(static_cast<const char *>(buffer), size,
                       [fd, offset](const char *p, size_t n, int done)
                       { return pwrite(fd, p, n, off_t(offset + done)); });
}

bool FdSync(int fd, int *error)
{
    if (fd < 0)
    {
        SetError(error, EBADF);
        return false;
    }
    int r;
    do
        r = fsync(fd);
    while (r != 0 && errno == EINTR);
    SetError(error, r == 0 ? 0 : errno);
    return r == 0;
}

int64 FdSeek(int fd, int64 offset, int whence)
{
    if (fd < 0) return -1;
    int w;
    switch (whence)
    {
    case 0:
        w = SEEK_SET;
        break;
    case 1:
        w = SEEK_CUR;
        break;
    case 2:
        w = SEEK_END;
        break;
    default:
        return -1;
    }
    const off_t r = lseek(fd, off_t(offset), w);
    return r < 0 ? -1 : int64(r);
}

int64 FdSize(int fd)
{
    struct stat st;
    if (fd < 0 || fstat(fd, &st) != 0) return -1;
    return int64(st.st_size);
}

bool PathStatNative(const std::string &native, PathInfo *info)
{
    struct stat st;
    if (native.empty() || stat(native.c_str(), &st) != 0) return false;
    if (info)
    {
        info->is_folder = S_ISDIR(st.st_mode);
        info->is_special = !info->is_folder && !S_ISREG(st.st_mode);
        info->size = info->is_folder ? 0 : uint64(st.st_size);
        info->read_only = access(native.c_str(), W_OK) != 0;
    }
    return true;
}

bool PathStat(const u16char *path, PathInfo *info)
{
    if (!path || !*path) return false;
    return PathStatNative(ResolvePath(path), info);
}

bool PathDelete(const u16char *path, int *error)
{
    return ChangeListing(path, error, [](const char *p) { return unlink(p); });
}

bool PathMove(const u16char *from, const u16char *to, int *error)
{
    if (!from || !*from || !to || !*to)
    {
        SetError(error, ENOENT);
        return false;
    }
    const std::string src = ResolvePath(from);
    std::string dst = ResolvePath(to);
    struct stat ss, ds;
    if (lstat(src.c_str(), &ss) != 0)
    {
        SetError(error, errno);
        return false;
    }
    if (lstat(dst.c_str(), &ds) == 0)
    {
        if (ds.st_dev != ss.st_dev || ds.st_ino != ss.st_ino)
        {
            SetError(error, EEXIST);
            return false;
        }
        // The target is the source in another spelling: a change of case only.
        std::string folder, name, wanted_folder, wanted_name;
        SplitNativePath(dst, folder, name);
        SplitNativePath(ToNativePath(to), wanted_folder, wanted_name);
        dst = folder.empty() ? wanted_name : (folder == "/" ? "/" + wanted_name : folder + "/" + wanted_name);
        if (dst == src)
        {
            SetError(error, 0);
            return true;
        }
        if (rename(src.c_str(), dst.c_str()) != 0)
        {
            SetError(error, errno);
            return false;
        }
    }
    else
    {
#ifdef SYS_renameat2
        long r = syscall(SYS_renameat2, AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE);
        if (r != 0 && (errno == ENOSYS || errno == EINVAL))
        {
#else
        long r = -1;
        {
#endif
            // No atomic no-replace rename here: a hard link refuses an existing
            // name; folders, which cannot be linked, fall back to check-then-rename.
            if (S_ISDIR(ss.st_mode))
            {
                r = (lstat(dst.c_str(), &ds) == 0) ? (errno = EEXIST, -1) : rename(src.c_str(), dst.c_str());
            }
            else
            {
                r = link(src.c_str(), dst.c_str());
                if (r == 0) unlink(src.c_str());
            }
        }
        if (r != 0)
        {
            SetError(error, errno);
            return false;
        }
    }
    Touched(src);
    Touched(dst);
    SetError(error, 0);
    return true;
}

bool PathReplace(const u16char *from, const u16char *to, int *error)
{
    if (!from || !*from || !to || !*to)
    {
        SetError(error, ENOENT);
        return false;
    }
    const std::string src = ResolvePath(from);
    const std::string dst = ResolvePath(to);
    const bool done = rename(src.c_str(), dst.c_str()) == 0;
    SetError(error, done ? 0 : errno);
    if (done)
    {
        Touched(src);
        Touched(dst);
    }
    return done;
}

bool MakeFolder(const u16char *path, int *error)
{
    return ChangeListing(path, error, [](const char *p) { return mkdir(p, 0777); });
}

std::string ErrorText(int error)
{
    char buf[256];
    buf[0] = 0;
    // GNU strerror_r returns the text, which may or may not be buf.
    const char *t = strerror_r(error, buf, sizeof(buf));
    return t ? std::string(t) : std::string();
}
namespace
{
bool WriteAllTo(const u16char *name, int mode, const void *data, int64 size, bool sync, int *error)
{
    const int fd = FdOpen(name, mode, error);
    if (fd < 0) return false;
    bool ok = size <= INT_MAX && (size == 0 || FdWrite(fd, data, int(size)) == int(size));
    if (!ok && error) *error = size > INT_MAX ? EFBIG : errno;
    ok = ok && (!sync || FdSync(fd, error));
    FdClose(fd);
    return ok;
}
} // namespace

bool FileWriteWhole(const u16char *name, const void *data, int64 size, int *error)
{
    if (!name || !*name || size < 0 || (size > 0 && !data))
    {
        if (error) *error = EINVAL;
        return false;
    }
    PathInfo info;
    if (PathStat(name, &info) && info.is_special)
        return WriteAllTo(name, fomOpenWrite, data, size, false, error);

    const std::u16string temp = Utf8ToUtf16(ResolvePath(name) + ".tmp");
    if (!WriteAllTo(temp.c_str(), fomCreateReadWrite, data, size, true, error))
    {
        PathDelete(temp.c_str());
        return false;
    }
    if (!PathReplace(temp.c_str(), name, error))
    {
        PathDelete(temp.c_str());
        return false;
    }
    return true;
}
} // namespace hgl::platform
