#pragma once
// File access at the descriptor level. Paths are engine paths (UTF-16, '\' or
// '/'), resolved case-insensitively. Transfers loop over short counts and EINTR,
// so a read delivers everything up to the end of the file.
#include <string>

#include "core/Types.h"

namespace hgl::platform
{
// Open modes of the engine's file streams.
enum FileOpenMode : int
{
    fomCreateReadWrite = 1, // read and write, created or emptied
    fomOpenRead = 2,        // read, must exist
    fomOpenWrite = 4,       // write, created when missing, kept otherwise
    fomOpenReadWrite = 6,   // read and write, created when missing, kept otherwise
};

// A descriptor, or -1 with *error set to the errno value (EINVAL for an unknown
// mode, EISDIR for a folder).
int FdOpen(const u16char *name, int mode, int *error = nullptr);
void FdClose(int fd);

// Bytes transferred (fewer only at the end of the file), -1 on failure.
int FdRead(int fd, void *buffer, int size);
int FdWrite(int fd, const void *buffer, int size);
// The same at an offset, without moving the descriptor's position.
int FdReadAt(int fd, int64 offset, void *buffer, int size);
int FdWriteAt(int fd, int64 offset, const void *buffer, int size);

// Flushes the file's data to the disk (fsync). False with *error set when it fails.
bool FdSync(int fd, int *error = nullptr);

// whence 0 start, 1 current, 2 end. New position, or -1.
int64 FdSeek(int fd, int64 offset, int whence);
// Size in bytes, or -1.
int64 FdSize(int fd);

struct PathInfo
{
    bool is_folder = false;
    bool is_special = false; // neither a regular file nor a folder (a device, a pipe)
    bool read_only = false;
    uint64 size = 0;
};

// Following symbolic links; false when nothing is there.
bool PathStat(const u16char *path, PathInfo *info = nullptr);
bool PathStatNative(const std::string &native, PathInfo *info = nullptr);

// Deletes a file (not a folder).
bool PathDelete(const u16char *path, int *error = nullptr);
// Moves or renames a file or folder; never replaces an existing target (in any
// spelling of its case). A change of case alone is allowed.
bool PathMove(const u16char *from, const u16char *to, int *error = nullptr);
// Renames a file over an existing target in one atomic step (rename(2)), so the
// target is either the old file or the new one, never missing or half written.
// Both names are resolved ignoring case, so a target spelled in another case is
// the one replaced. For a fresh copy saved beside the file it replaces.
bool PathReplace(const u16char *from, const u16char *to, int *error = nullptr);
// Writes a whole file so that a failure never costs the old one: the bytes go to a
// fresh copy beside it ("<name>.tmp"), which is synced and then renamed over the
// target. A target that is not a regular file (a device) is written in place.
bool FileWriteWhole(const u16char *name, const void *data, int64 size, int *error = nullptr);
// Creates one folder; false when it (or anything of that name) exists or cannot be made.
bool MakeFolder(const u16char *path, int *error = nullptr);

// strerror text of an errno value.
std::string ErrorText(int error);
} // namespace hgl::platform
