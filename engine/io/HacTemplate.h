#pragma once
// Folder tree of an archive whose whole directory sits in memory, and the path
// operations over it. Each folder keeps its sub-folders and files sorted in
// descending order of their lower-cased names, so every level is a binary search.
#include "core/String.h"
#include "io/HAC.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace hgl
{
template <typename F> struct HacFolder
{
    String name;                                            // lower-cased
    std::vector<std::unique_ptr<HacFolder<F>>> folders;      // stored order
    std::vector<std::unique_ptr<F>> files;                   // stored order
};

namespace hac_detail
{
// Entry name against key[0..len): difference of the first differing units, the
// end of either text counting as 0.
inline int CompareName(const String &name, const u16char *key, int len)
{
    const u16char *a = name.c_str();
    const int alen = name.Length;
    for (int i = 0;; ++i)
    {
        const int ca = i < alen ? a[i] : 0;
        const int cb = i < len ? key[i] : 0;
        if (ca != cb || ca == 0)
            return ca - cb;
    }
}

template <typename T> T *BinarySearch(const std::vector<std::unique_ptr<T>> &list, const u16char *key, int len)
{
    int low = 0, high = int(list.size()) - 1;
    while (low <= high)
    {
        const int mid = (low + high) / 2;
        const int c = CompareName(list[mid]->name, key, len);
        if (c == 0)
            return list[mid].get();
        if (c > 0)
            low = mid + 1;      // the lists are sorted descending
        else
            high = mid - 1;
    }
    return nullptr;
}

inline bool IsSeparator(u16char c) { return c == u'\\' || c == u'/'; }

// Lower-cases (ASCII) a path into buf, which holds HAC_PATH_MAX units plus the
// terminator. False when the path is too long.
constexpr int HAC_PATH_MAX = 1023;
inline bool LowerPath(const u16char *path, u16char *buf)
{
    int i = 0;
    for (; path[i]; ++i)
    {
        if (i >= HAC_PATH_MAX)
            return false;
        const u16char c = path[i];
        buf[i] = (c >= u'A' && c <= u'Z') ? u16char(c + 32) : c;
    }
    buf[i] = 0;
    return true;
}
} // namespace hac_detail

template <typename F> class HacTemplate : public HAC
{
protected:
    std::unique_ptr<HacFolder<F>> root;

    HacFolder<F> *Folder(void *folder) const { return folder ? static_cast<HacFolder<F> *>(folder) : root.get(); }

public:
    // Path look-up: a level ends at the first '\', or at the first '/' when the
    // rest holds no '\'. Leading and trailing separators are skipped.
    static F *SearchFile(HacFolder<F> *folder, const u16char *path) { return Search<F>(folder, path); }
    static HacFolder<F> *SearchFolder(HacFolder<F> *folder, const u16char *path) { return Search<HacFolder<F>>(folder, path); }

    HacTemplate() : root(new HacFolder<F>) { root->name = u"root"; }

    // The folder tree, for tools that walk the whole archive.
    const HacFolder<F> *GetRoot() const { return root.get(); }

    bool FileExist(const u16char *path) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf))
            return false;
        return SearchFile(root.get(), buf) != nullptr;
    }

    Stream *LoadFileStream(const u16char *path, bool toMemory) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf))
            return nullptr;
        return LoadFileStreamInFolder(root.get(), buf, toMemory);
    }

    bool LoadFile(const u16char *path, void **buffer, int *size) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf))
            return false;
        return LoadFileInFolder(root.get(), buf, buffer, size);
    }

    void *FindFolder(const u16char *path) override
    {
        if (!path || !*path)
            return root.get();
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!hac_detail::LowerPath(path, buf))
            return nullptr;
        return SearchFolder(root.get(), buf);
    }

    int GetFileCount(void *folder) override { return int(Folder(folder)->files.size()); }

    bool GetFileByIndex(void *folder, int index, String &name, int &size) override
    {
        HacFolder<F> *f = Folder(folder);
        if (index < 0 || index >= int(f->files.size()))
            return false;
        name = f->files[index]->name;
        size = int(f->files[index]->size);
        return true;
    }

    void *FindFile(void *folder, const u16char *path, int *size) override
    {
        F *file = path ? SearchFile(Folder(folder), path) : nullptr;
        if (size)
            *size = file ? int(file->size) : 0;
        return file;
    }

    void *FindFileFromRoot(const u16char *path, int *size) override { return FindFile(nullptr, path, size); }

    bool FileExistInFolder(void *folder, const u16char *path) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf))
            return false;
        return SearchFile(Folder(folder), buf) != nullptr;
    }

private:
    template <typename T> static T *Search(HacFolder<F> *folder, const u16char *path)
    {
        if (!folder || !path)
            return nullptr;
        while (hac_detail::IsSeparator(*path))
            ++path;
        int len = 0;
        while (path[len])
            ++len;
        while (len > 0 && hac_detail::IsSeparator(path[len - 1]))
            --len;
        for (;;)
        {
            int sep = -1;
            for (int i = 0; i < len; ++i)
                if (path[i] == u'\\')
                {
                    sep = i;
                    break;
                }
            if (sep < 0)
                for (int i = 0; i < len; ++i)
                    if (path[i] == u'/')
                    {
                        sep = i;
                        break;
                    }
            if (sep < 0)
            {
                if constexpr (std::is_same_v<T, F>)
                    return hac_detail::BinarySearch(folder->files, path, len);
                else
                    return hac_detail::BinarySearch(folder->folders, path, len);
            }
            folder = hac_detail::BinarySearch(folder->folders, path, sep);
            if (!folder)
                return nullptr;
            path += sep + 1;
            len -= sep + 1;
        }
    }
};
} // namespace hgl
