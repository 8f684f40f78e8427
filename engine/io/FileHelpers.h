#pragma once
// Small file and folder helpers over engine paths (UTF-16, '\' as the engine's
// separator, '/' accepted too; letters' case does not matter on disk).
#include "core/Types.h"

namespace hgl
{
bool FileDelete(const u16char *name);
// Moves or renames; fails when the new name exists (in any case spelling).
bool FileMove(const u16char *old_name, const u16char *new_name);
// True when a search for the name finds a file or folder; wildcards ('*', '?')
// are allowed in the last component.
bool FileExist(const u16char *name);
// True when the search finds a folder.
bool IsDirectory(const u16char *path);

// folder + '\' (unless it already ends in a separator) + name, as a new array the
// caller frees with delete[]. An empty folder gives the name alone. The engine's
// own separator is kept even after a system folder ("/opt/game\GUI"): every
// path reaches the system through the platform layer, which reads '\' as '/'.
u16char *MergePath(const u16char *folder, const u16char *name);
// The same into out (out_units units, terminator included); false, out untouched,
// when it does not fit.
bool MergePathToBuffer(u16char *out, int out_units, const u16char *folder, const u16char *name);

// Reads a whole file into a new block (free with delete[]) and returns its size.
// Failure: the message "加载文件<%s>到缓冲区失败!", 0 and a null block. An empty
// file gives 0 and a zero-length block.
int64 LoadFileToMemory(const u16char *name, void **buffer);
// The same for a typed block pointer (char *, uint8 *, ...).
template <typename T> int64 LoadFileToMemory(const u16char *name, T **buffer)
{
    static_assert(sizeof(T) == 1, "the block is bytes");
    void *p = nullptr;
    const int64 size = LoadFileToMemory(name, buffer ? &p : nullptr);
    if (buffer) *buffer = static_cast<T *>(p);
    return size;
}

// Creates every missing folder along the path (absolute or relative); true when
// the whole path exists as folders afterwards.
bool MakePath(const u16char *path);

struct FileInfo
{
    u16char name[1024];      // the entry's own name
    u16char full_name[1024]; // folder + '\' + name, or the name alone without folder
    uint64 size;
    bool is_directory;
    bool is_read_only;
};

using EnumFileFunc = void (*)(void *data, FileInfo *info);

// Calls callback for every entry of folder (empty: the current folder) matching
// pattern; recursion enters sub-folders that match the pattern (use "*"). Returns
// the number of entries reported, -1 without callback or pattern, or when the
// folder has no match. Entries whose full name exceeds 1023 units are skipped.
int EnumFile(const u16char *folder, const u16char *pattern, void *data, bool report_folders,
             bool report_files, bool recurse, EnumFileFunc callback);
inline int EnumFile(const u16char *folder, const u16char *pattern, void *data, EnumFileFunc callback)
{
    return EnumFile(folder, pattern, data, true, true, false, callback);
}
} // namespace hgl
