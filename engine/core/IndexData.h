#pragma once
// Sorted maps: an owning list of small entry records kept in ascending key order and
// searched by binary search.
//
//   _IndexData<K,V,F>   the map over entry record F; values are not owned
//   IndexData<K,V>      _IndexData with the ordinary entry record
//   _IndexObject<K,V,F> a map whose values are owned objects (V *), destroyed with
//                       their entries by Delete, DeleteAt and Clear
//   IndexObject<K,V>    _IndexObject with the ordinary entry record
//
// Keys order by their Comp (String keys: code-unit order, a text before its own
// extensions). Set keeps keys unique; Add does not look for an existing key and
// puts a new key before an equal one.
//
// Set and Change on an existing key of an owning map replace the pointer without
// destroying the object it pointed to, and DeleteByData never destroys the value:
// the caller who replaced or removed it deletes the old object.
#include "core/KeyCompare.h"
#include "core/ObjectList.h"

namespace hgl
{
class PlugIn;

// The ordinary entry record.
template <typename K, typename V> struct IndexFlagData
{
    K key;
    V value{};
};

// The entry of the plug-in interface registries: the interface record and the plug-in
// that supplied it (written by the lookup that loaded the plug-in; null at first).
template <typename K, typename V> struct PlugInFlagData
{
    K key;
    V value{};
    PlugIn *plug_in = nullptr;
};

template <typename K, typename V, typename F> class _IndexData : public _Object
{
  protected:
    ObjectList<F> list; // the entries, owned, in ascending key order

    void InitPrivate() { Count.template Bind<&_IndexData::GetCount>(this); }

    // Removes entry index, destroying the record (and so its key) but not what the value points to.
    void RemoveEntry(int index) { list.Delete(index); }

  public:
    Property<int> Count; // read only: number of entries

    _IndexData() { InitPrivate(); }
    _IndexData(const _IndexData &) = delete;
    _IndexData &operator=(const _IndexData &) = delete;
    ~_IndexData() override = default;

    int GetCount() const { return list.GetCount(); }

    // Entry index, or null outside the map.
    F *GetItem(int index) const { return index >= 0 && index < list.GetCount() ? list[index] : nullptr; }

    F *const *begin() const { return list.begin(); }
    F *const *end() const { return list.end(); }

    // Index of an entry with this key, or -1. Each round tests both ends and the middle.
    int Find(const K &key) const
    {
        int left = 0;
        int right = list.GetCount() - 1;
        while (left <= right)
        {
            if (key_compare::CompareKey(list[left]->key, key) == 0) return left;
            if (key_compare::CompareKey(list[right]->key, key) == 0) return right;
            const int mid = (left + right) / 2;
            const int c = key_compare::CompareKey(list[mid]->key, key);
            if (c == 0) return mid;
            if (c > 0)
            {
                right = mid - 1;
                left = left + 1;
            }
            else
            {
                left = mid + 1;
                right = right - 1;
            }
        }
        return -1;
    }

    // Where key goes to keep the order (before an equal key); -1 for an empty map.
    int FindPos(const K &key) const
    {
        int left = 0;
        int right = list.GetCount() - 1;
        if (right < 0) return -1;
        while (left <= right)
        {
            if (key_compare::CompareKey(key, list[left]->key) <= 0) return left;
            if (key_compare::CompareKey(key, list[right]->key) >= 0) return right + 1;
            const int mid = (left + right) / 2;
            const int c = key_compare::CompareKey(list[mid]->key, key);
            if (c == 0) return mid;
            if (c < 0)
            {
                if (key_compare::CompareKey(list[mid + 1]->key, key) >= 0) return mid + 1;
                left = mid;
            }
            else
            {
                if (key_compare::CompareKey(list[mid - 1]->key, key) <= 0) return mid;
                right = mid;
            }
            left = left + 1;
            right = right - 1;
        }
        return -1;
    }

    // The highest index whose value equals value, or -1.
    int FindByData(const V &value) const
    {
        for (int i = list.GetCount() - 1; i >= 0; i--)
            if (key_compare::SameValue(list[i]->value, value)) return i;
        return -1;
    }

    // Inserts a new entry at FindPos (key), even when the key is already present.
    F *Add(const K &key, const V &value)
    {
        int pos = FindPos(key);
        if (pos < 0) pos = 0;
        F *entry = list.CreateAt(pos);
        entry->key = key;
        entry->value = value;
        return entry;
    }

    // Copies the value of key into value; false (value untouched) when absent.
    bool Get(const K &key, V &value) const
    {
        const int index = Find(key);
        if (index == -1) return false;
        value = list[index]->value;
        return true;
    }

    // ---- virtual operations -------------------------------------------------------

    // Overwrites the value of an existing key, else adds the key.
    virtual void Set(const K &key, const V &value)
    {
        const int index = Find(key);
        if (index == -1)
            Add(key, value);
        else
            list[index]->value = value;
    }

    // Hands the value of key to the caller and removes the entry; false when absent.
    virtual bool Unlink(const K &key, V &value)
    {
        const int index = Find(key);
        if (index == -1) return false;
        value = list[index]->value;
        RemoveEntry(index);
        return true;
    }

    virtual bool UnlinkByData(const V &value)
    {
        const int index = FindByData(value);
        if (index == -1) return false;
        RemoveEntry(index);
        return true;
    }

    virtual void Delete(const K &key)
    {
        const int index = Find(key);
        if (index != -1) RemoveEntry(index);
    }

    // Removes the entry holding value; the value itself is never destroyed here.
    virtual void DeleteByData(const V &value)
    {
        const int index = FindByData(value);
        if (index != -1) RemoveEntry(index);
    }

    // An index outside the map does nothing.
    virtual void DeleteAt(int index) { RemoveEntry(index); }

    // Overwrites the value of an existing key; false (nothing added) when absent.
    virtual bool Change(const K &key, const V &value)
    {
        const int index = Find(key);
        if (index == -1) return false;
        list[index]->value = value;
        return true;
    }

    virtual void Clear() { list.DeleteAll(); }
};

template <typename K, typename V> class IndexData : public _IndexData<K, V, IndexFlagData<K, V>>
{
  public:
    ~IndexData() override = default;
};

// A map that owns the objects its values point to.
template <typename K, typename V, typename F> class _IndexObject : public _IndexData<K, V *, F>
{
    using Base = _IndexData<K, V *, F>;

  protected:
    using Base::list;

  public:
    ~_IndexObject() override { Clear(); }

    // Destroys the value object of key (when not null), then its entry.
    void Delete(const K &key) override
    {
        const int index = this->Find(key);
        if (index != -1) DeleteAt(index);
    }

    void DeleteAt(int index) override
    {
        if (index < 0 || index >= list.GetCount()) return;
        V *obj = list[index]->value;
        list[index]->value = nullptr;
        delete obj;
        this->RemoveEntry(index);
    }

    // Destroys the value objects from the last entry to the first, then every entry.
    void Clear() override
    {
        for (int i = list.GetCount() - 1; i >= 0; i--)
        {
            V *obj = list[i]->value;
            list[i]->value = nullptr;
            delete obj;
        }
        list.DeleteAll();
    }
};

template <typename K, typename V> class IndexObject : public _IndexObject<K, V, IndexFlagData<K, V *>>
{
  public:
    ~IndexObject() override = default;
};
} // namespace hgl
