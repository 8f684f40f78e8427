#include "io/HacMapping.h"

#include "core/Log.h"
#include "io/FileHelpers.h"
#include "io/Core.h"
#include "io/FileStream.h"
#include "io/MemStream.h"

#include <climits>

namespace hgl
{
namespace
{
bool IsSep(u16char c)
{
    return c == u'\\' || c == u'/';
}

// A listing key: '/' taken as '\', separators at the end dropped, lower-cased.
String KeyOf(const String &disk)
{
    String k = disk;
    k.Replace(u'\\', u'/');
    k.LowerCase();
    int len = k.Length;
    while (len > 0 && k.c_str()[len - 1] == u'\\')
        --len;
    return String(k.c_str(), len);
}

void AddEntry(void *data, FileInfo *info)
{
    auto *folder = static_cast<FolderMapping *>(data);
    auto *entry = new FileMapping;
    entry->folder = folder;
    entry->disk_name = String(info->name);
    entry->name = entry->disk_name;
    entry->name.LowerCase();
    entry->size = int(uint32(info->size));
    folder->entries.Add(entry);
}
} // namespace

HacMapping::HacMapping(const u16char *folder)
{
    if (folder && *folder && !IsDirectory(folder))
    {
        PutError(u"初始化HAC所映射的子目录<%s>并不存在，请查证！", folder);
        return;
    }
    root = folder;
}

HacMapping::~HacMapping()
{
    Stop();
    listings.Clear();
}

// base, then '\' unless the path begins with a separator, then the path. An
// empty base means the start folder: the path alone, without a leading separator.
bool HacMapping::Compose(const String &base, const u16char *path, String &out) const
{
    if (!path) path = u"";
    if (base.Length == 0)
    {
        while (IsSep(*path))
            ++path;
        // The start folder as recorded at start-up; before that, the current one.
        const u16char *start = GetInfoString(infoStartFolder);
        if (start && *start)
        {
            out = start;
            if (*path) out += u"\\";
            out += path;
        }
        else
            out = path;
    }
    else
    {
        out = base;
        if (*path && !IsSep(*path)) out += u"\\";
        out += path;
    }
    return out.Length <= PathMax;
}

bool HacMapping::FileExist(const u16char *path)
{
    String disk;
    if (!path || !*path || !Compose(root, path, disk)) return false;
    return hgl::FileExist(disk.c_str());
}

Stream *HacMapping::StreamFromDisk(const String &disk, bool toMemory)
{
    if (!hgl::FileExist(disk.c_str()) || IsDirectory(disk.c_str())) return nullptr;
    if (!toMemory)
    {
        auto *fs = new FileStream;
        if (!fs->Open(disk.c_str(), 2))
        {
            delete fs;
            return nullptr;
        }
        return fs;
    }
    void *data = nullptr;
    int size = 0;
    if (!LoadFromDisk(disk, &data, &size)) return nullptr;
    auto *ms = new MemStream;
    if (size > 0 && ms->Write(data, size) != size)
    {
        delete[] static_cast<uint8 *>(data);
        delete ms;
        return nullptr;
    }
    delete[] static_cast<uint8 *>(data);
    ms->Position = 0;
    return ms;
}

bool HacMapping::LoadFromDisk(const String &disk, void **buffer, int *size)
{
    if (!buffer || !size) return false;
    *buffer = nullptr;
    *size = 0;
    if (!hgl::FileExist(disk.c_str()) || IsDirectory(disk.c_str())) return false;
    void *data = nullptr;
    const int64 n = LoadFileToMemory(disk.c_str(), &data);
    if (!data) return false;
    if (n < 0 || n > INT_MAX)
    {
        delete[] static_cast<uint8 *>(data);
        return false;
    }
    *buffer = data;
    *size = int(n);
    return true;
}

Stream *HacMapping::LoadFileStream(const u16char *path, bool toMemory)
{
    String disk;
    if (!path || !*path || !Compose(root, path, disk)) return nullptr;
    return StreamFromDisk(disk, toMemory);
}

bool HacMapping::LoadFile(const u16char *path, void **buffer, int *size)
{
    String disk;
    if (!path || !*path || !Compose(root, path, disk)) return false;
    return LoadFromDisk(disk, buffer, size);
}

void *HacMapping::FindFolder(const u16char *path)
{
    String disk;
    if (!Compose(root, path, disk)) return nullptr;
    const String key = KeyOf(disk);
    for (int i = listings.GetCount() - 1; i >= 0; --i)
        if (listings[i]->key.Comp(key) == 0) return listings[i];
    auto *folder = new FolderMapping;
    folder->key = key;
    folder->disk = disk;
    EnumFile(disk.c_str(), u"*.*", folder, AddEntry);
    listings.Add(folder);
    return folder;
}

int HacMapping::GetFileCount(void *folder)
{
    FolderMapping *f = Listing(folder);
    return f ? f->entries.GetCount() : 0;
}

bool HacMapping::GetFileByIndex(void *folder, int index, String &name, int &size)
{
    if (index < 0) return false;
    FolderMapping *f = Listing(folder);
    if (!f || index >= f->entries.GetCount()) return false;
    name = f->entries[index]->name;
    size = f->entries[index]->size;
    return true;
}

void *HacMapping::FindFile(void *folder, const u16char *name, int *size)
{
    if (!name || !*name) return nullptr;
    FolderMapping *f = Listing(folder);
    if (!f) return nullptr;
    String lower(name);
    lower.LowerCase();
    for (int i = f->entries.GetCount() - 1; i >= 0; --i)
        if (f->entries[i]->name.Comp(lower) == 0)
        {
            if (size) *size = f->entries[i]->size;
            return f->entries[i];
        }
    return nullptr;
}

void *HacMapping::FindFileFromRoot(const u16char *path, int *size)
{
    if (!path || !*path) return nullptr;
    const String p(path);
    const int sep = p.FindRightChar(u'\\');
    if (sep < 0) return FindFile(nullptr, path, size);
    const String folder(p.c_str(), sep);
    return FindFile(FindFolder(folder.c_str()), p.c_str() + sep + 1, size);
}

bool HacMapping::FileExistInFolder(void *folder, const u16char *name)
{
    if (!folder) return FileExist(name);
    if (!name) return false;
    FolderMapping *f = static_cast<FolderMapping *>(folder);
    for (int i = f->entries.GetCount() - 1; i >= 0; --i)
        if (f->entries[i]->name.Comp(name) == 0) return true;
    return false;
}

bool HacMapping::ReadFilePart(void *file, int start, int length, void *dest)
{
    const FileMapping *entry = static_cast<const FileMapping *>(file);
    if (!entry || !dest) return false;
    if (!PartRange(uint32(entry->size), start, length)) return false;
    String disk;
    if (!Compose(entry->folder->disk, entry->disk_name.c_str(), disk)) return false;
    FileStream fs;
    if (!fs.Open(disk.c_str(), 2)) return false;
    const bool ok = fs.ReadFullyAt(start, dest, length);
    fs.Close();
    return ok;
}

Stream *HacMapping::LoadFileStreamInFolder(void *folder, const u16char *path, bool toMemory)
{
    if (!folder) return LoadFileStream(path, toMemory);
    String disk;
    if (!path || !*path || !Compose(static_cast<FolderMapping *>(folder)->disk, path, disk)) return nullptr;
    return StreamFromDisk(disk, toMemory);
}

bool HacMapping::LoadFileInFolder(void *folder, const u16char *path, void **buffer, int *size)
{
    if (!folder) return LoadFile(path, buffer, size);
    String disk;
    if (!path || !*path || !Compose(static_cast<FolderMapping *>(folder)->disk, path, disk)) return false;
    return LoadFromDisk(disk, buffer, size);
}
} // namespace hgl
