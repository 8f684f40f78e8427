#pragma once
// hgl::List<T>: the engine's growable array of values.
//
// Items live in one contiguous heap block. Plain (trivially copyable) items are
// copied as raw bytes and never see a constructor or destructor; other item types
// (a rectangle with bound properties, for one) are copied, moved and destroyed
// properly, since their bytes hold pointers into themselves.
//
// The block keeps a hidden reserve so that appending one item at a time is cheap;
// the block is released whenever the list becomes empty.
//
// Every operation that calls another does so through the virtual table, so that the
// owning list (ObjectList) can replace the ones that create or destroy objects.
#include <cassert>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <concepts>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "core/BoundMethod.h"
#include "core/HeapSort.h"
#include "core/Log.h"
#include "core/Object.h"
#include "core/Property.h"
#include "core/Types.h"
#include "core/Stream.h"

namespace hgl
{
namespace list_detail
{
// Items whose bytes are their value: copied with memcpy, found by byte comparison.
template <typename T> inline constexpr bool raw_item = std::is_trivially_copyable_v<T>;

// Engine types that compare through Comp (String) rather than ==.
template <typename T>
concept CompComparable = requires(const T &a, const T &b)
{
    {
        a.Comp(b)
        } -> std::convertible_to<int>;
};

// Items that are not plain must at least be copyable and comparable by value.
template <typename T>
concept ListItem = raw_item<T> ||
    (std::is_copy_constructible_v<T> &&std::is_copy_assignable_v<T> &&std::is_default_constructible_v<T> &&
     (std::equality_comparable<T> || CompComparable<T>));

// A per-item stream function of a list: (stream, pointer to the item or slot).
// Functions with a bool result report failure, which fails the whole save or load;
// functions of any other result type (void, say) are taken as always succeeding.
// Plain functions and captureless lambdas are accepted.
template <typename P> class StreamItemFunc
{
    using Raw = void (*)();
    using Thunk = bool (*)(Raw, Stream *, P);

    Raw fn = nullptr;
    Thunk thunk = nullptr;

    template <typename R, typename Q> static bool Call(Raw f, Stream *str, P item)
    {
        const auto real = reinterpret_cast<R (*)(Stream *, Q)>(f);
        if constexpr (std::is_same_v<R, bool>)
            return real(str, item);
        else
        {
            real(str, item);
            return true;
        }
    }

  public:
    StreamItemFunc() = default;
    StreamItemFunc(std::nullptr_t) {}

    template <typename R, typename Q>
    requires std::is_convertible_v<P, Q> StreamItemFunc(R (*f)(Stream *, Q))
    {
        if (f)
        {
            fn = reinterpret_cast<Raw>(f);
            thunk = &StreamItemFunc::Call<R, Q>;
        }
    }

    template <typename F>
    requires std::is_class_v<F> && requires(F f)
    {
        {
            +f
            } -> std::same_as<std::decay_t<decltype(+f)>>;
        requires std::is_function_v<std::remove_pointer_t<decltype(+f)>>;
    }
    StreamItemFunc(F f) : StreamItemFunc(+f) {}

    explicit operator bool() const { return thunk != nullptr; }
    bool operator==(std::nullptr_t) const { return thunk == nullptr; }
    bool operator==(const StreamItemFunc &) const = default;

    // Calling an empty function is outside the contract; the lists test it first.
    bool operator()(Stream *str, P item) const { return thunk(fn, str, item); }
};
} // namespace list_detail

template <typename T> class List : public _Object
{
    static_assert(list_detail::ListItem<T>,
                  "List items are copied as bytes; a type that is not trivially copyable must be "
                  "copy-constructible, default-constructible and comparable (== or Comp)");

  public:
    using ItemCompare = BoundMethod<int(const T &, const T &)>;
    using ItemWriter = list_detail::StreamItemFunc<T *>;
    using ItemReader = list_detail::StreamItemFunc<T *>;

    static constexpr bool RawItems = list_detail::raw_item<T>;

    // Whether LoadFromStream can read and drop stored items that were not asked for
    // through ReadItem: values can; a pointer read into a scratch slot would leak or
    // dangle, so lists of pointers refuse a partial load through item functions.
    static constexpr bool SkipsWithScratch = !std::is_pointer_v<T> && std::is_default_constructible_v<T>;

  protected:
    int count = 0;
    int capacity = 0;   // slots in the block; the reserve beyond count is hidden
    T *items = nullptr; // null while count is 0

    // ---- storage ------------------------------------------------------------------

    static T *AllocBlock(int n)
    {
        void *p = std::malloc(size_t(n) * sizeof(T));
        if (!p) throw std::bad_alloc();
        return static_cast<T *>(p);
    }

    // Makes room for at least n items; the first count items keep their place.
    void Reserve(int n)
    {
        if (n <= capacity) return;
        int64 want = capacity < 4 ? 4 : int64(capacity) + capacity / 2;
        if (want < n) want = n;
        if (want > INT_MAX) want = INT_MAX;
        const int newcap = int(want);

        if constexpr (RawItems)
        {
            void *p = std::realloc(items, size_t(newcap) * sizeof(T));
            if (!p) throw std::bad_alloc();
            items = static_cast<T *>(p);
        }
        else
        {
            T *block = AllocBlock(newcap);
            for (int i = 0; i < count; i++)
            {
                new (block + i) T(std::move(items[i]));
                items[i].~T();
            }
            std::free(items);
            items = block;
        }
        capacity = newcap;
    }

    // Destroys items [from, count) (non-plain items only) and sets count := from.
    void DropTail(int from)
    {
        if constexpr (!RawItems)
            for (int i = count - 1; i >= from; i--)
                items[i].~T();
        count = from;
    }

    // Releases the whole block (the list is empty afterwards).
    void ReleaseBlock()
    {
        DropTail(0);
        std::free(items);
        items = nullptr;
        capacity = 0;
    }

    // After a removal: the empty list holds no block; a mostly empty one gives memory back.
    void AfterShrink()
    {
        if (count == 0)
        {
            ReleaseBlock();
            return;
        }
        if constexpr (RawItems)
        {
            if (capacity > 64 && count < capacity / 4)
            {
                const int newcap = count * 2;
                void *p = std::realloc(items, size_t(newcap) * sizeof(T));
                if (p)
                {
                    items = static_cast<T *>(p);
                    capacity = newcap;
                }
            }
        }
    }

    // Appends a copy; the value is already a private copy (it may have come from the list).
    int AppendValue(T &&value)
    {
        Reserve(count + 1);
        new (items + count) T(std::move(value));
        return count++;
    }

    static bool SameItem(const T &a, const T &b)
    {
        if constexpr (RawItems)
            return std::memcmp(&a, &b, sizeof(T)) == 0;
        else if constexpr (std::equality_comparable<T>)
            return a == b;
        else
            return a.Comp(b) == 0;
    }

    int CallCompare(const T &a, const T &b) const { return CompareFunc ? CompareFunc(a, b) : 0; }

    static int HeapCompareThunk(void *self, const void *a, const void *b, int)
    {
        // The list's own comparison, called without the virtual table: an owning list
        // replaces Compare with one on objects, which this sort must not reach.
        return static_cast<List *>(self)->CallCompare(*static_cast<const T *>(a), *static_cast<const T *>(b));
    }

    void SetCountThunk(int n) { SetCount(n); }

    void InitPrivate()
    {
        Count.template Bind<&List::GetCount, &List::SetCountThunk>(this);
        Data.template Bind<&List::GetData>(this);
    }

    void CopyFrom(const List &src)
    {
        Reserve(src.count);
        if constexpr (RawItems)
        {
            if (src.count > 0) std::memcpy(items, src.items, size_t(src.count) * sizeof(T));
        }
        else
        {
            for (int i = 0; i < src.count; i++)
                new (items + i) T(src.items[i]);
        }
        count = src.count;
    }

  public:
    // The comparison Sort stored; empty after construction.
    ItemCompare CompareFunc;

    Property<int> Count; // read: number of items; write: SetCount
    Property<T *> Data;  // read: the item array (null while empty)

    // Per-item stream writer and reader; null: the items' raw bytes are streamed.
    // A false result from either fails the whole save or load.
    ItemWriter WriteItem;
    ItemReader ReadItem;

  public:
    List() { InitPrivate(); }

    // A copy holds its own copies of the items and the same item functions.
    List(const List &src) : CompareFunc(src.CompareFunc), WriteItem(src.WriteItem), ReadItem(src.ReadItem)
    {
        InitPrivate();
        CopyFrom(src);
    }

    List &operator=(const List &src)
    {
        if (this != &src)
        {
            List::Clear();
            CopyFrom(src);
            CompareFunc = src.CompareFunc;
            WriteItem = src.WriteItem;
            ReadItem = src.ReadItem;
        }
        return *this;
    }

    ~List() override { ReleaseBlock(); }

    // ---- access (no virtual table) ----------------------------------------------

    int GetCount() const { return count; }
    T *GetData() const { return count > 0 ? items : nullptr; }

    T &operator[](int index)
    {
        assert(index >= 0 && index < count && "list index out of range");
        return items[index];
    }
    const T &operator[](int index) const
    {
        assert(index >= 0 && index < count && "list index out of range");
        return items[index];
    }

    T *begin() { return items; }
    T *end() { return items + count; }
    const T *begin() const { return items; }
    const T *end() const { return items + count; }

    // ---- virtual operations -------------------------------------------------------

    // n <= 0 empties the list; growing adds zero-filled (plain) or default-made items.
    virtual void SetCount(int n)
    {
        if (n == count) return;
        if (n <= 0)
        {
            Clear();
            return;
        }
        if (n > count)
        {
            Reserve(n);
            if constexpr (RawItems)
                std::memset(static_cast<void *>(items + count), 0, size_t(n - count) * sizeof(T));
            else
                for (int i = count; i < n; i++)
                    new (items + i) T();
            count = n;
        }
        else
        {
            DropTail(n);
            AfterShrink();
        }
    }

    // The stored CompareFunc applied to the two items (0 while none is stored).
    virtual int Compare(const T &a, const T &b) { return CallCompare(a, b); }

    virtual int Add(const T &item)
    {
        T copy(item); // item may live inside this list's block
        return AppendValue(std::move(copy));
    }

    // Appends n items; n < 1 (or no source) adds nothing and gives -1.
    virtual int AddArray(const T *src, int n)
    {
        if (!src || n < 1 || int64(count) + n > INT_MAX) return -1;
        const int first = count;
        if constexpr (RawItems)
        {
            // src may point into our own block, which Reserve may move.
            const uintptr_t at = reinterpret_cast<uintptr_t>(src);
            const uintptr_t base = reinterpret_cast<uintptr_t>(items);
            const bool inside = items && at >= base && at < base + size_t(capacity) * sizeof(T);
            const size_t off = inside ? (at - base) / sizeof(T) : 0;
            Reserve(count + n);
            if (inside) src = items + off;
            std::memcpy(static_cast<void *>(items + count), src, size_t(n) * sizeof(T));
            count += n;
        }
        else
        {
            List tmp;
            tmp.Reserve(n);
            for (int i = 0; i < n; i++)
                tmp.AppendValue(T(src[i]));
            Reserve(count + n);
            for (int i = 0; i < n; i++)
                new (items + count + i) T(std::move(tmp.items[i]));
            count += n;
        }
        return first;
    }

    virtual void Clear()
    {
        if (items) ReleaseBlock();
        count = 0;
    }

    // Index of the last item equal to item (plain items: same bytes), or -1.
    virtual int Find(const T &item) const
    {
        for (int i = count - 1; i >= 0; i--)
            if (SameItem(items[i], item)) return i;
        return -1;
    }

    // The form the list's own operations call. A derived list may override either
    // form; this one answers with the const form unless overridden.
    virtual int Find(const T &item) { return std::as_const(*this).Find(item); }

    virtual bool Delete(int index)
    {
        if (count <= 0 || index < 0 || index >= count) return false;
        if constexpr (RawItems)
        {
            count--;
            if (index < count)
                std::memmove(static_cast<void *>(items + index), items + index + 1,
                             size_t(count - index) * sizeof(T));
        }
        else
        {
            std::move(items + index + 1, items + count, items + index);
            DropTail(count - 1);
        }
        AfterShrink();
        return true;
    }

    virtual bool DeleteByData(const T &item)
    {
        const int index = Find(item);
        if (index == -1) return false;
        return Delete(index);
    }

    // Each source item removes at most one list item: the last equal one.
    virtual void DeleteByDataArray(const T *src, int n)
    {
        if (!src) return;
        for (int i = 0; i < n; i++)
        {
            const int index = Find(src[i]);
            if (index != -1) Delete(index);
        }
    }

    // Swaps two items; an index outside the list does nothing.
    virtual void Exchange(int a, int b)
    {
        assert(a >= 0 && a < count && b >= 0 && b < count && "list index out of range");
        if (a < 0 || a >= count || b < 0 || b >= count || a == b) return;
        std::swap(items[a], items[b]);
    }

    // index < 0 inserts first; index >= count appends (through Add).
    virtual void Insert(int index, const T &item)
    {
        if (index < 0) index = 0;
        if (index >= count)
        {
            Add(item);
            return;
        }
        T copy(item);
        Reserve(count + 1);
        if constexpr (RawItems)
        {
            std::memmove(static_cast<void *>(items + index + 1), items + index,
                         size_t(count - index) * sizeof(T));
            std::memcpy(static_cast<void *>(items + index), &copy, sizeof(T));
        }
        else
        {
            new (items + count) T(std::move(items[count - 1]));
            std::move_backward(items + index, items + count - 1, items + count);
            items[index] = std::move(copy);
        }
        count++;
    }

    // Takes the item at from out and puts it back at to (clamped into the list).
    virtual void Move(int from, int to)
    {
        if (from == to || from < 0 || from >= count) return;
        if (to < 0)
            to = 0;
        else if (to >= count)
            to = count - 1;
        if (from < to)
            std::rotate(items + from, items + from + 1, items + to + 1);
        else if (to < from)
            std::rotate(items + to, items + from, items + from + 1);
    }

    virtual int operator+=(const T &item) { return Add(item); }
    virtual int operator<<(const T &item) { return Add(item); }
    virtual bool operator-=(const T &item) { return DeleteByData(item); }

    // Writes an int32 count n and items start .. start + n - 1 (WriteItem, or raw bytes).
    // (0, 0) means the whole list. A range outside the list writes nothing; any short
    // write (the count included) or a failed item writer gives false.
    virtual bool SaveToStream(Stream *str, int start = 0, int n = 0)
    {
        if (!str) return false;
        if (start == 0 && n == 0)
            n = count;
        else if (start < 0 || n <= 0 || int64(start) + n > count)
            return false;
        if (!WriteItem && !RawItems) return false; // such items have no byte form of their own

        const int32 stored = n;
        if (!str->WriteFully(&stored, 4)) return false;

        if (WriteItem)
        {
            for (int i = start; i < start + n; i++)
                if (!WriteItem(str, items + i)) return false;
            return true;
        }
        if constexpr (RawItems) return WriteRaw(str, items + start, n);
        return false;
    }

    // Reads an int32 stored count and appends n of the stored items (-1: all of them).
    // Refused with false, the list unchanged: a short count, a negative count, n above
    // the stored count, a count larger than the data left, a short item area or a
    // failed item reader. Either form leaves the stream after the whole stored list:
    // ReadItem reads the items beyond n and drops them (a list of pointers cannot, and
    // refuses n below the stored count). The stream position is not restored.
    virtual bool LoadFromStream(Stream *str, int n = -1)
    {
        if (!str || n == 0 || n < -1) return false;
        if (!ReadItem && !RawItems) return false;

        const int old = count;
        int32 stored;
        if (!str->ReadFully(&stored, 4))
        {
            PutError(u"列表数据读取失败：数量不完整");
            return false;
        }
        if (stored < 0)
        {
            PutError(u"列表数据中的数量无效<%d>", int(stored));
            return false;
        }
        if (n == -1) n = stored;
        if (n > stored) return false;
        if (ReadItem && n < stored && !SkipsWithScratch) return false;
        if (int64(old) + n > INT_MAX)
        {
            PutError(u"列表数据中的数量过大<%d>", int(stored));
            return false;
        }

        // Raw items take sizeof(T) bytes each; an item form takes at least one byte, so
        // a count above the bytes left is forged either way (and would only cost memory
        // with readers that cannot report a short read).
        const int64 left = str->Remaining();
        const int64 least = ReadItem ? 1 : int64(sizeof(T));
        if (left >= 0 && int64(stored) * least > left)
        {
            PutError(u"列表数据中的数量<%d>超出了数据的长度", int(stored));
            return false;
        }
        if (n == 0) return true;

        if (ReadItem)
        {
            // One slot at a time, so that a forged count costs no more than the data present.
            for (int i = 0; i < n; i++)
            {
                SetCount(old + i + 1);
                if (!ReadItem(str, items + old + i))
                {
                    SetCount(old);
                    PutError(u"列表数据读取失败：第<%d>项不完整", i);
                    return false;
                }
            }
            if constexpr (SkipsWithScratch)
            {
                // Stored items beyond n are read and dropped, so that the stream stands
                // after the whole list, as with the raw form.
                for (int i = n; i < stored; i++)
                {
                    T scratch{};
                    if (!ReadItem(str, &scratch))
                    {
                        SetCount(old);
                        PutError(u"列表数据读取失败：第<%d>项不完整", i);
                        return false;
                    }
                }
            }
            return true;
        }

        if constexpr (RawItems)
        {
            // Raw items arrive in bounded chunks for the same reason.
            const int chunk = std::max<int>(1, int(65536 / sizeof(T)));
            int done = 0;
            while (done < n)
            {
                const int k = std::min(chunk, n - done);
                SetCount(old + done + k);
                if (!str->ReadFully(items + old + done, int(size_t(k) * sizeof(T))))
                {
                    SetCount(old);
                    PutError(u"列表数据读取失败：数据不完整");
                    return false;
                }
                done += k;
            }
            if (n < stored) str->Seek(int64(stored - n) * int64(sizeof(T)), soCurrent);
            return true;
        }
        return false;
    }

    // Stores compare as CompareFunc and sorts ascending (negative: a before b). Not stable.
    virtual void Sort(const ItemCompare &compare)
    {
        CompareFunc = compare;
        if (count < 2 || !CompareFunc) return;
        if constexpr (RawItems)
            HeapSort(items, count, int(sizeof(T)), this, &List::HeapCompareThunk);
        else // the stable form stays inside the range even when the comparison is inconsistent
            std::stable_sort(items, items + count,
                             [this](const T &a, const T &b) { return CallCompare(a, b) < 0; });
    }

  private:
    static bool WriteRaw(Stream *str, const T *src, int n)
    {
        const char *p = reinterpret_cast<const char *>(src);
        int64 left = int64(n) * int64(sizeof(T));
        while (left > 0)
        {
            const int part = left > (1 << 30) ? (1 << 30) : int(left);
            if (!str->WriteFully(p, part)) return false;
            p += part;
            left -= part;
        }
        return true;
    }
};
} // namespace hgl
