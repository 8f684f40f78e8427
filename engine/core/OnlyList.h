#pragma once
// hgl::OnlyList<T>: a sorted set of plain values. Each value is held once, in
// ascending order of its bytes (compared from the first, each taken as unsigned),
// inside a small record owned by an owning list. Values are added one by one and
// forgotten all at once.
#include <cstring>
#include <type_traits>

#include "core/ObjectList.h"

namespace hgl
{
template <typename T> struct OnlyFlagData
{
    T value;
};

template <typename T> class OnlyList
{
    static_assert(std::is_trivially_copyable_v<T>, "OnlyList values are compared and copied as raw bytes");

    ObjectList<OnlyFlagData<T>> entries;

    static int CompareBytes(const T &a, const T &b) { return std::memcmp(&a, &b, sizeof(T)); }
    int Cmp(int index, const T &value) const { return CompareBytes(entries[index]->value, value); }

    int GetCount() const { return entries.GetCount(); }
    void InitPrivate() { Count.template Bind<&OnlyList::GetCount>(this); }

  public:
    Property<int> Count; // read only: number of values

    OnlyList() { InitPrivate(); }
    OnlyList(const OnlyList &) = delete;
    OnlyList &operator=(const OnlyList &) = delete;
    virtual ~OnlyList() = default;

    // The value at index (ascending order); no range test beyond a debug check.
    const T &operator[](int index) const { return entries[index]->value; }

    // Index of value, or -1. Each pass tests both ends and the middle.
    int Find(const T &value) const
    {
        int left = 0;
        int right = GetCount() - 1;
        while (left <= right)
        {
            if (Cmp(left, value) == 0) return left;
            if (Cmp(right, value) == 0) return right;
            const int mid = (left + right) / 2;
            const int c = Cmp(mid, value);
            if (c == 0) return mid;
            if (c > 0)
            {
                left = left + 1;
                right = mid - 1;
            }
            else
            {
                right = right - 1;
                left = mid + 1;
            }
        }
        return -1;
    }

    // The index at which value would be inserted; -1 only for an empty list.
    int FindPos(const T &value) const
    {
        int left = 0;
        int right = GetCount() - 1;
        while (left <= right)
        {
            if (Cmp(left, value) >= 0) return left;
            if (Cmp(right, value) <= 0) return right + 1;
            const int mid = (left + right) / 2;
            const int c = Cmp(mid, value);
            if (c == 0) return mid;
            if (c > 0)
            {
                if (Cmp(mid - 1, value) <= 0) return mid;
                left = left + 1;
                right = mid - 1;
            }
            else
            {
                if (Cmp(mid + 1, value) >= 0) return mid + 1;
                right = right - 1;
                left = mid + 1;
            }
        }
        return -1;
    }

    // Forgets every value (the message window empties its indexes between scripts).
    void Clear() { entries.DeleteAll(); }

    // Index of the value: the existing one, or the new entry made for it.
    int Add(const T &value)
    {
        int index;
        OnlyFlagData<T> *entry;
        if (GetCount() == 0)
        {
            entry = entries.Create();
            index = 0;
        }
        else
        {
            index = Find(value);
            if (index != -1) return index;
            index = FindPos(value);
            entry = entries.CreateAt(index);
        }
        std::memcpy(static_cast<void *>(&entry->value), &value, sizeof(T));
        return index;
    }
};
} // namespace hgl
