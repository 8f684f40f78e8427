#pragma once
// Folder tree of an archive whose whole directory sits in memory, and the path
// operations over it. Each folder keeps its sub-folders and files sorted in
// descending order of their lower-cased names, so every level is a binary search.
#include "core/String.h"
#include "io/HAC.h"

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

namespace hgl
{
// An owned list of records; GetCount as the engine's other lists have it.
template <typename T> struct HacOwnedList : std::vector<std::unique_ptr<T>>
{
    int GetCount() const { return int(this->size()); }
};

template <typename F> struct HacFolder
{
    String name;                        // lower-cased
    HacOwnedList<HacFolder<F>> folders; // stored order
    HacOwnedList<F> files;              // stored order

    // Look-up order of a list whose stored order is not the descending order the
    // binary search needs (an archive from a careless writer); empty when the
    // stored order already is. Set by SortForLookup.
    std::vector<HacFolder<F> *> folder_lookup;
    std::vector<F *> file_lookup;

    // Checks both lists after they were read and builds a look-up order where needed.
    void SortForLookup();
};

namespace hac_detail
{
// Difference of the first differing units of two names, the end of either
// counting as 0.
inline int CompareName(StringView a, StringView b)
{
    for (size_t i = 0;; ++i)
    {
        const int ca = i < a.size() ? a[i] : 0;
        const int cb = i < b.size() ? b[i] : 0;
        if (ca != cb || ca == 0) return ca - cb;
    }
}

template <typename T> T *Item(const std::unique_ptr<T> &p)
{
    return p.get();
}
template <typename T> T *Item(T *p)
{
    return p;
}

template <typename P> auto BinarySearch(const std::vector<P> &list, StringView key) -> decltype(Item(list[0]))
{
    int low = 0, high = int(list.size()) - 1;
    while (low <= high)
    {
        const int mid = (low + high) / 2;
        const int c = CompareName(Item(list[mid])->name, key);
        if (c == 0) return Item(list[mid]);
        if (c > 0)
            low = mid + 1; // the lists are sorted descending
        else
            high = mid - 1;
    }
    return nullptr;
}

// The stored list, or its look-up order when one was built.
template <typename T>
T *Lookup(const std::vector<std::unique_ptr<T>> &stored, const std::vector<T *> &order, StringView key)
{
    return order.empty() ? BinarySearch(stored, key) : BinarySearch(order, key);
}

// Empty when the list is in descending order already; else the entries sorted so.
template <typename T> std::vector<T *> LookupOrder(const std::vector<std::unique_ptr<T>> &list)
{
    std::vector<T *> order;
    bool sorted = true;
    for (size_t i = 1; i < list.size() && sorted; ++i)
        sorted = CompareName(list[i - 1]->name, list[i]->name) >= 0;
    if (sorted) return order;
    order.reserve(list.size());
    for (const auto &p : list)
        order.push_back(p.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const T *a, const T *b) { return CompareName(a->name, b->name) > 0; });
    return order;
}

inline bool IsSeparator(u16char c)
{
    return c == u'\\' || c == u'/';
}

// Lower-cases (ASCII) a path into buf, which holds HAC_PATH_MAX units plus the
// terminator. False when the path is too long.
constexpr int HAC_PATH_MAX = 1023;
inline bool LowerPath(const u16char *path, u16char *buf)
{
    int i = 0;
    for (; path[i]; ++i)
    {
        if (i >= HAC_PATH_MAX) return false;
        const u16char c = path[i];
        buf[i] = (c >= u'A' && c <= u'Z') ? u16char(c + 32) : c;
    }
    buf[i] = 0;
    return true;
}
} // namespace hac_detail

template <typename F> void HacFolder<F>::SortForLookup()
{
    folder_lookup = hac_detail::LookupOrder(folders);
    file_lookup = hac_detail::LookupOrder(files);
}

template <typename F> class HacTemplate : public HAC
{
  protected:
    std::unique_ptr<HacFolder<F>> root;

    HacFolder<F> *Folder(void *folder) const
    {
        return folder ? static_cast<HacFolder<F> *>(folder) : root.get();
    }

  public:
    // Path look-up: a level ends at the first '\', or at the first '/' when the
    // rest holds no '\'. Leading and trailing separators are skipped.
    static F *SearchFile(HacFolder<F> *folder, const u16char *path) { return Search<F>(folder, path); }
    static HacFolder<F> *SearchFolder(HacFolder<F> *folder, const u16char *path)
    {
        return Search<HacFolder<F>>(folder, path);
    }

    HacTemplate() : root(new HacFolder<F>) { root->name = u"root"; }

    // The folder tree, for tools that walk the whole archive.
    const HacFolder<F> *GetRoot() const { return root.get(); }

    bool FileExist(const u16char *path) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf)) return false;
        return SearchFile(root.get(), buf) != nullptr;
    }

    Stream *LoadFileStream(const u16char *path, bool toMemory) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf)) return nullptr;
        return LoadFileStreamInFolder(root.get(), buf, toMemory);
    }

    bool LoadFile(const u16char *path, void **buffer, int *size) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf)) return false;
        return LoadFileInFolder(root.get(), buf, buffer, size);
    }

    void *FindFolder(const u16char *path) override
    {
        if (!path || !*path) return root.get();
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!hac_detail::LowerPath(path, buf)) return nullptr;
        return SearchFolder(root.get(), buf);
    }

    int GetFileCount(void *folder) override { return int(Folder(folder)->files.size()); }

    bool GetFileByIndex(void *folder, int index, String &name, int &size) override
    {
        HacFolder<F> *f = Folder(folder);
        if (index < 0 || index >= int(f->files.size())) return false;
        name = f->files[index]->name;
        size = int(f->files[index]->size);
        return true;
    }

    void *FindFile(void *folder, const u16char *path, int *size = nullptr) override
    {
        F *file = path ? SearchFile(Folder(folder), path) : nullptr;
        if (size) *size = file ? int(file->size) : 0;
        return file;
    }

    void *FindFileFromRoot(const u16char *path, int *size = nullptr) override
    {
        return FindFile(nullptr, path, size);
    }

    bool FileExistInFolder(void *folder, const u16char *path) override
    {
        u16char buf[hac_detail::HAC_PATH_MAX + 1];
        if (!path || !hac_detail::LowerPath(path, buf)) return false;
        return SearchFile(Folder(folder), buf) != nullptr;
    }

  private:
    template <typename T> static T *Search(HacFolder<F> *folder, const u16char *path)
    {
        if (!folder || !path) return nullptr;
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
                    return hac_detail::Lookup(folder->files, folder->file_lookup,
                                              StringView(path, size_t(len)));
                else
                    return hac_detail::Lookup(folder->folders, folder->folder_lookup,
                                              StringView(path, size_t(len)));
            }
            folder =
                hac_detail::Lookup(folder->folders, folder->folder_lookup, StringView(path, size_t(sep)));
            if (!folder) return nullptr;
            path += sep + 1;
            len -= sep + 1;
        }
    }
};
} // namespace hgl
