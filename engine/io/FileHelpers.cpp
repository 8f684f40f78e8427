#include "io/FileHelpers.h"

#include <climits>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "core/Log.h"
#include "platform/Dir.h"
#include "platform/File.h"

namespace hgl
{
namespace
{
bool IsSep(u16char c)
{
    return c == u'\\' || c == u'/';
}

size_t Len(const u16char *s)
{
    size_t n = 0;
    if (s)
        while (s[n])
            ++n;
    return n;
}

std::u16string Merge(const u16char *folder, const u16char *name)
{
    std::u16string out;
    const size_t fl = Len(folder);
    if (fl > 0)
    {
        out.assign(folder, fl);
        if (!IsSep(out.back())) out.push_back(u'\\');
    }
    out.append(name ? name : u"", Len(name));
    return out;
}

// The first entry a search for the (possibly wild) name finds.
bool Search(const u16char *name, platform::PathInfo *info)
{
    if (!name || !*name) return false;
    const std::u16string path(name);
    size_t cut = path.find_last_of(u"\\/");
    const std::u16string leaf = cut == std::u16string::npos ? path : path.substr(cut + 1);
    if (!platform::HasWildcard(leaf)) return platform::PathStat(name, info);

    const std::u16string folder =
        cut == std::u16string::npos ? std::u16string() : path.substr(0, cut == 0 ? 1 : cut);
    std::vector<platform::DirEntry> entries;
    if (!platform::ReadFolder(folder.c_str(), entries)) return false;
    for (const platform::DirEntry &e : entries)
    {
        if (!platform::MatchPattern(leaf.c_str(), e.name.c_str())) continue;
        if (info)
        {
            info->is_folder = e.is_folder;
            info->read_only = e.read_only;
            info->size = e.size;
        }
        return true;
    }
    return false;
}

constexpr int kMaxEnumDepth = 64;

int Enum(const u16char *folder, const u16char *pattern, void *data, bool report_folders, bool report_files,
         bool recurse, EnumFileFunc callback, int depth)
{
    std::vector<platform::DirEntry> entries;
    if (!platform::ReadFolder(folder, entries)) return -1;
    int count = 0;
    bool matched = false;
    FileInfo info;
    for (const platform::DirEntry &e : entries)
    {
        if (!platform::MatchPattern(pattern, e.name.c_str())) continue;
        matched = true;
        const std::u16string full = Merge(folder, e.name.c_str());
        if (full.size() >= 1024) continue;
        if (e.is_folder)
        {
            // Symbolic links to folders are not entered: a link to a parent
            // would otherwise be walked until the names grow too long.
            if (recurse && !e.is_link && depth < kMaxEnumDepth)
            {
                const int sub = Enum(full.c_str(), pattern, data, report_folders, report_files, recurse,
                                     callback, depth + 1);
                if (sub > 0) count += sub; // an unreadable or empty sub-folder adds nothing
            }
            if (!report_folders) continue;
        }
        else if (!report_files)
            continue;
        std::memcpy(info.name, e.name.c_str(), (e.name.size() + 1) * sizeof(u16char));
        std::memcpy(info.full_name, full.c_str(), (full.size() + 1) * sizeof(u16char));
        info.size = e.size;
        info.is_directory = e.is_folder;
        info.is_read_only = e.read_only;
        ++count;
        callback(data, &info);
    }
    return matched ? count : -1;
}
} // namespace

bool FileDelete(const u16char *name)
{
    return platform::PathDelete(name);
}

bool FileMove(const u16char *old_name, const u16char *new_name)
{
    return platform::PathMove(old_name, new_name);
}

bool FileExist(const u16char *name)
{
    return Search(name, nullptr);
}

bool IsDirectory(const u16char *path)
{
    platform::PathInfo info;
    return Search(path, &info) && info.is_folder;
}

u16char *MergePath(const u16char *folder, const u16char *name)
{
    const std::u16string s = Merge(folder, name);
    u16char *out = new u16char[s.size() + 1];
    std::memcpy(out, s.c_str(), (s.size() + 1) * sizeof(u16char));
    return out;
}

bool MergePathToBuffer(u16char *out, int out_units, const u16char *folder, const u16char *name)
{
    if (!out || out_units < 1) return false;
    const std::u16string s = Merge(folder, name);
    if (s.size() + 1 > size_t(out_units)) return false;
    std::memcpy(out, s.c_str(), (s.size() + 1) * sizeof(u16char));
    return true;
}

int64 LoadFileToMemory(const u16char *name, void **buffer)
{
    if (!buffer) return 0;
    *buffer = nullptr;
    const int fd = platform::FdOpen(name, platform::fomOpenRead);
    if (fd < 0)
    {
        PutInfo(u"加载文件<%s>到缓冲区失败!", name);
        return 0;
    }
    const int64 size = platform::FdSize(fd);
    if (size < 0 || size > INT_MAX)
    {
        platform::FdClose(fd);
        if (size > INT_MAX) PutInfo(u"加载文件<%s>到缓冲区失败!", name);
        return 0;
    }
    uint8 *block = new (std::nothrow) uint8[size_t(size)];
    if (!block)
    {
        platform::FdClose(fd);
        PutInfo(u"加载文件<%s>到缓冲区失败!", name);
        return 0;
    }
    const int got = size > 0 ? platform::FdRead(fd, block, int(size)) : 0;
    platform::FdClose(fd);
    if (got != int(size))
    {
        delete[] block;
        PutInfo(u"加载文件<%s>到缓冲区失败!", name);
        return 0;
    }
    *buffer = block;
    return size;
}

bool MakePath(const u16char *path)
{
    if (!path || !*path) return false;
    std::u16string p(path);
    size_t pos = 0;
    if (p.size() >= 3 && p[1] == u':' && IsSep(p[2]))
        pos = 3;
    else
        while (pos < p.size() && IsSep(p[pos]))
            ++pos; // the root exists
    while (pos < p.size())
    {
        size_t next = pos;
        while (next < p.size() && !IsSep(p[next]))
            ++next;
        if (next == pos) return true; // empty segment: a trailing or doubled separator ends the walk
        const std::u16string prefix = p.substr(0, next);
        platform::PathInfo info;
        if (platform::PathStat(prefix.c_str(), &info))
        {
            if (!info.is_folder)
            {
                // A file stands where the folder should be: the path can never exist.
                PutInfo(u"创建目录<%s>失败！", prefix.c_str());
                return false;
            }
        }
        else if (!platform::MakeFolder(prefix.c_str()))
        {
            PutInfo(u"创建目录<%s>失败！", prefix.c_str());
            return false;
        }
        if (next >= p.size()) return true;
        pos = next + 1;
    }
    return true;
}

int EnumFile(const u16char *folder, const u16char *pattern, void *data, bool report_folders,
             bool report_files, bool recurse, EnumFileFunc callback)
{
    if (!callback || !pattern || !*pattern) return -1;
    return Enum(folder ? folder : u"", pattern, data, report_folders, report_files, recurse, callback, 0);
}
} // namespace hgl
