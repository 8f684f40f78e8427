#pragma once
// hgl::ObjectList<T>: a list of pointers to objects the list owns.
//
// The list creates objects with `new T`, deletes them with `delete` when they are
// removed (Delete...), cleared or destroyed, and hands them back without deleting
// them through the Unlink... family. A null pointer may be held; it is skipped when
// deleting. An object is held at most once (debug builds check it on hand-over).
#include "core/List.h"

namespace hgl
{
template <typename T> class ObjectList : public List<T *>
{
    using Base = List<T *>;

  public:
    using ObjectCompare = BoundMethod<int(T *, T *)>;

  protected:
    using Base::count;
    using Base::items;

    int CallObjectCompare(T *a, T *b) const { return ObjectCompareFunc ? ObjectCompareFunc(a, b) : 0; }

    static int HeapObjectCompareThunk(void *self, const void *a, const void *b, int)
    {
        return static_cast<ObjectList *>(self)->CallObjectCompare(*static_cast<T *const *>(a),
                                                                  *static_cast<T *const *>(b));
    }

    // Removes slot index without touching its object.
    void RemoveSlot(int index)
    {
        count--;
        if (index < count)
            std::memmove(static_cast<void *>(items + index), items + index + 1,
                         size_t(count - index) * sizeof(T *));
        Base::AfterShrink();
    }

    // The same object may sit in two slots while the caller only unlinks it; deleting
    // it while another slot still holds it would delete it twice.
    bool NotHeld([[maybe_unused]] T *obj) const
    {
#ifndef NDEBUG
        if (obj && count <= 4096) return Base::Find(obj) == -1;
#endif
        return true;
    }

    // Deletes an object whose slot is already gone.
    void DeleteUnslotted(T *obj)
    {
        assert(NotHeld(obj) && "object deleted while another slot of the owning list holds it");
        delete obj;
    }

  public:
    // The object comparison the owning Sort stored; empty after construction.
    ObjectCompare ObjectCompareFunc;

    ObjectList() = default;
    ObjectList(const ObjectList &) = delete; // two lists must never own one object
    ObjectList &operator=(const ObjectList &) = delete;

    ~ObjectList() override
    {
        DeleteAll();
    }

    // Growing creates objects (in order); shrinking deletes the last ones first.
    void SetCount(int n) override
    {
        if (n == count) return;
        if (n <= 0)
        {
            DeleteAll();
            return;
        }
        if (n > count)
        {
            Base::Reserve(n);
            while (count < n)
            {
                items[count] = new T;
                count++;
            }
        }
        else
        {
            while (count > n)
            {
                T *obj = items[count - 1];
                count--;
                DeleteUnslotted(obj);
            }
            Base::AfterShrink();
        }
    }

    // Compares the two objects the slots hold through ObjectCompareFunc.
    int Compare(T *const &a, T *const &b) override
    {
        return CallObjectCompare(a, b);
    }

    void Clear() override
    {
        DeleteAll();
    }

    // Deletes the object (when not null), then removes its slot.
    bool Delete(int index) override
    {
        if (index < 0 || index >= count) return false;
        T *obj = items[index];
        RemoveSlot(index); // the slot goes first, in case the object's destructor looks at the list
        DeleteUnslotted(obj);
        return true;
    }

    // A list of owned pointers has no byte form: the pointers would mean nothing when
    // read back. Only the item functions can stream it.
    bool SaveToStream(Stream *str, int start = 0, int n = 0) override
    {
        if (!this->WriteItem) return false;
        return Base::SaveToStream(str, start, n);
    }

    bool LoadFromStream(Stream *str, int n = -1) override
    {
        if (!this->ReadItem) return false;
        return Base::LoadFromStream(str, n);
    }

    // ---- the owning list's own operations ------------------------------------------

    // A new default-made object appended.
    virtual T *Create()
    {
        T *obj = new T;
        Base::Reserve(count + 1);
        items[count++] = obj;
        return obj;
    }

    // A new default-made object inserted at index (clamped; index >= count appends).
    virtual T *CreateAt(int index)
    {
        if (index < 0) index = 0;
        if (index >= count) return Create();
        T *obj = new T;
        Base::Reserve(count + 1);
        std::memmove(static_cast<void *>(items + index + 1), items + index,
                     size_t(count - index) * sizeof(T *));
        items[index] = obj;
        count++;
        return obj;
    }

    // Removes slot index; the caller owns its object from now on.
    virtual bool Unlink(int index)
    {
        if (index < 0 || index >= count) return false;
        RemoveSlot(index);
        return true;
    }

    // Removes the last slot holding exactly obj, without deleting it.
    virtual bool UnlinkByData(T *obj)
    {
        for (int i = count - 1; i >= 0; i--)
            if (items[i] == obj) return Unlink(i);
        return false;
    }

    virtual void UnlinkByDataArray(T *const *objs, int n)
    {
        if (!objs) return;
        for (int i = 0; i < n; i++)
        {
            const int index = this->Find(objs[i]);
            if (index != -1) Unlink(index);
        }
    }

    // Empties the list; no object is deleted.
    virtual void UnlinkAll()
    {
        if (count != 0) Base::ReleaseBlock();
        count = 0;
    }

    // Deletes every object, last first (null pointers skipped), and empties the list.
    virtual void DeleteAll()
    {
        if (count == 0) return;
        // Objects whose destructors reach back into this list see it shrink one by one.
        while (count > 0)
        {
            T *obj = items[count - 1];
            count--;
            DeleteUnslotted(obj);
        }
        Base::ReleaseBlock();
    }

    // DeleteByData (obj) and DeleteByDataArray (objs, n) are the list's own: they find
    // the last slot holding the pointer and delete through Delete above.

    // The list's own Sort, on the slots with CompareFunc, stays available beside the
    // object Sort below; the two take different comparison types.
    using Base::Sort;

    // Stores compare as ObjectCompareFunc and sorts the objects ascending. Not stable.
    virtual void Sort(const ObjectCompare &compare)
    {
        ObjectCompareFunc = compare;
        if (count < 2 || !ObjectCompareFunc) return;
        HeapSort(items, count, int(sizeof(T *)), this, &ObjectList::HeapObjectCompareThunk);
    }
};
} // namespace hgl
