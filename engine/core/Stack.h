#pragma once
// hgl::Stack<T>: a last-in-first-out stack of plain values, either fixed (at most max
// items, its array allocated once) or growable (max 0: one slot more per push beyond
// the array, no array while empty).
//
// hgl::StackObject<T>: a Stack<T *> that owns its objects; Pop hands the top object
// back to the caller, Clear, lowering MaxCount and destruction delete what it holds.
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

#include "core/Property.h"
#include "core/Types.h"

namespace hgl
{
template <typename T> class Stack
{
    static_assert(std::is_trivially_copyable_v<T>, "stack items are copied as raw bytes");

  protected:
    int max = 0;      // 0: growable; above 0: fixed
    int capacity = 0; // slots in the array
    int count = 0;    // items[count - 1] is the top
    T *items = nullptr;

    static T *Realloc(T *block, int n)
    {
        void *p = std::realloc(block, size_t(n) * sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T *>(p);
    }

    void FreeArray()
    {
        std::free(items);
        items = nullptr;
        capacity = 0;
    }

    // Called before items [from, count) are dropped by SetMax; the owning stack deletes them.
    virtual void DropItems(int from) { (void)from; }

    int GetCount() const { return count; }
    int GetMax() const { return max; }

    void InitPrivate()
    {
        Count.template Bind<&Stack::GetCount>(this);
        MaxCount.template Bind<&Stack::GetMax, &Stack::SetMax>(this);
    }

    void CopyFrom(const Stack &src)
    {
        max = src.max;
        count = src.count;
        capacity = max > 0 ? max : count;
        if (capacity > 0)
        {
            items = Realloc(nullptr, capacity);
            std::memcpy(static_cast<void *>(items), src.items, size_t(count) * sizeof(T));
        }
    }

  public:
    Property<int> Count;    // read only: items on the stack
    Property<int> MaxCount; // read: max; write: SetMax

    explicit Stack(int m = 0)
    {
        InitPrivate();
        if (m > 0)
        {
            max = m;
            items = Realloc(nullptr, m);
            capacity = m;
        }
    }

    Stack(const Stack &src)
    {
        InitPrivate();
        if (src.count > 0)
            CopyFrom(src);
        else if (src.max > 0)
            SetMax(src.max);
    }

    virtual ~Stack() { FreeArray(); }

    // Pushes a copy; false (nothing changes) on a full fixed stack.
    bool Push(const T &item)
    {
        if (max > 0)
        {
            if (count >= max) return false;
        }
        else if (count + 1 > capacity)
        {
            T copy = item; // item may lie in the array that is about to move
            items = Realloc(count == 0 ? nullptr : items, count + 1);
            capacity = count + 1;
            items[count++] = copy;
            return true;
        }
        items[count++] = item;
        return true;
    }

    // The top item into out; false on an empty stack. A growable stack emptied releases its array.
    virtual bool Pop(T &out)
    {
        if (count <= 0) return false;
        count--;
        out = items[count];
        if (max == 0 && count == 0) FreeArray();
        return true;
    }

    // Top item without taking it; false on an empty stack.
    bool Peek(T &out) const
    {
        if (count <= 0) return false;
        out = items[count - 1];
        return true;
    }

    // Empties the stack; a fixed stack keeps its array.
    virtual void Clear()
    {
        if (max == 0 && items) FreeArray();
        count = 0;
    }

    // The target takes src's max and items. An empty source leaves the target as it is.
    virtual void operator=(const Stack &src)
    {
        if (this == &src || src.count <= 0) return;
        Clear();
        FreeArray();
        CopyFrom(src);
    }

    // Makes the stack fixed with at most m items (items above m are dropped);
    // m = 0 makes it growable and empty. A negative m is ignored.
    void SetMax(int m)
    {
        if (m < 0) return;
        if (count > m)
        {
            DropItems(m);
            count = m;
        }
        if (m == 0)
        {
            FreeArray();
            max = 0;
            return;
        }
        items = Realloc(items, m);
        max = m;
        capacity = m;
    }

    // Item index from the bottom (0) up; no range test beyond a debug check.
    const T &operator[](int index) const
    {
        assert(index >= 0 && index < count && "stack index out of range");
        return items[index];
    }
};

template <typename T> class StackObject : public Stack<T *>
{
    using Base = Stack<T *>;

  protected:
    using Base::count;
    using Base::items;

    void DropItems(int from) override
    {
        for (int i = count - 1; i >= from; i--)
            delete items[i];
    }

  public:
    explicit StackObject(int m = 0) : Base(m) {}
    StackObject(const StackObject &) = delete; // two stacks must never own one object
    void operator=(const StackObject &) = delete;
    void operator=(const Base &) override { assert(!"an owning stack is never assigned"); }

    ~StackObject() override { StackObject::Clear(); }

    // Deletes the objects from the top down (null pointers skipped), then empties the stack.
    void Clear() override
    {
        while (count > 0)
        {
            T *obj = items[count - 1];
            count--;
            delete obj;
        }
        Base::Clear();
    }
};
} // namespace hgl
