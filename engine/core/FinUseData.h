#pragma once
// hgl::FinUseData<K,V>: a most-recently-used cache of bounded size.
//
// Items form a doubly linked chain, the most recently used at the head, the least
// recently used at the tail. Inserting into a full cache first drops items from the
// tail; the derived cache's Release disposes of their values. Lowering the capacity
// evicts nothing by itself: the next insertion does.
//
// A pointer handed out by Find or Get stays owned by the cache: it lives until the
// item is evicted or the cache cleared, so a caller must not keep it across a later
// insertion.
#include "core/KeyCompare.h"
#include "core/Log.h"
#include "core/Object.h"
#include "core/Property.h"

namespace hgl
{
template <typename K, typename V> struct FudItem
{
    K key;
    V value;
    FudItem *prev; // toward the head (more recently used)
    FudItem *next; // toward the tail (less recently used)
};

template <typename K, typename V> class FinUseData : public Object
{
  public:
    using Item = FudItem<K, V>;

  protected:
    Item *head = nullptr;
    Item *tail = nullptr;
    int count = 0;
    int capacity = 3;

    int GetCount() const { return count; }
    int GetCapacity() const { return capacity; }
    void SetCapacityThunk(int size) { SetCapacity(size); }

    void InitPrivate()
    {
        Count.template Bind<&FinUseData::GetCount>(this);
        Capacity.template Bind<&FinUseData::GetCapacity, &FinUseData::SetCapacityThunk>(this);
    }

    // Takes item out of the chain (count unchanged).
    void Detach(Item *item)
    {
        if (item->prev)
            item->prev->next = item->next;
        else
            head = item->next;
        if (item->next)
            item->next->prev = item->prev;
        else
            tail = item->prev;
        item->prev = item->next = nullptr;
    }

  public:
    Property<int> Count;    // read only: number of items
    Property<int> Capacity; // read: capacity; write: SetCapacity

    // size < 1 is replaced by 3.
    explicit FinUseData(int size)
    {
        InitPrivate();
        if (size < 1)
        {
            PutInfo(u"FinUseData缓冲区大小被设置<=0");
            size = 3;
        }
        capacity = size;
    }

    FinUseData(const FinUseData &) = delete;
    FinUseData &operator=(const FinUseData &) = delete;

    // A derived cache whose Release does work must call Clear in its own destructor:
    // from here on only this class's Release is reached.
    ~FinUseData() override { Clear(); }

    // size > 0 is stored; anything else is refused. Nothing is evicted here.
    virtual void SetCapacity(int size)
    {
        if (size > 0)
            capacity = size;
        else
            PutInfo(u"FinUseData缓冲区大小被设置<=0，此次设置无效！");
    }

    // Makes the value for a missing key; this cache makes nothing and says yes.
    virtual bool Create(const K &, V &) { return true; }

    // Disposes of the value of an item leaving the cache; this cache does nothing.
    virtual void Release(const K &, V &) {}

    // Evicts until there is room, then puts a new item at the head. An existing item
    // with the same key is not looked for: the newer one shadows it.
    virtual Item *Add(const K &key, const V &value)
    {
        while (count >= capacity && tail)
            DeleteLast();
        Item *item = new Item{key, value, nullptr, head};
        if (head) head->prev = item;
        head = item;
        if (!tail) tail = head;
        count++;
        return item;
    }

    // The value of key into value (marking the item most recent when asked); false
    // (value untouched) when the key is not cached.
    virtual bool Find(const K &key, V &value, bool move_to_front)
    {
        if (count < 1) return false;
        Item *item = head;
        for (int i = 0; i < count && item; i++, item = item->next)
        {
            if (key_compare::SameValue(item->key, key))
            {
                value = item->value;
                if (move_to_front) MoveToFront(item);
                return true;
            }
        }
        return false;
    }

    // Find; on a miss evict until there is room, Create, and Add when Create succeeds.
    // An eviction made before a failing Create stays made.
    virtual bool Get(const K &key, V &value, bool move_to_front = true)
    {
        if (Find(key, value, move_to_front)) return true;
        while (count >= capacity && tail)
            DeleteLast();
        if (!Create(key, value)) return false;
        Add(key, value);
        return true;
    }

    // Releases and frees every item.
    void Clear()
    {
        if (count <= 0 && !head) return;
        int walked = 0;
        Item *item = head;
        while (item)
        {
            Item *next = item->next;
            Release(item->key, item->value);
            delete item;
            walked++;
            item = next;
        }
        if (walked != count) PutInfo(u"FinUseData Count=%d,Clear=%d", count, walked);
        head = tail = nullptr;
        count = 0;
    }

    // Evicts the least recently used item.
    void DeleteLast()
    {
        if (!tail) return;
        Item *item = tail;
        Item *prev = item->prev;
        Release(item->key, item->value);
        delete item;
        tail = prev;
        if (tail)
            tail->next = nullptr;
        else
            head = nullptr;
        count--;
    }

    // Makes item the head.
    void MoveToFront(Item *item)
    {
        if (!item || item == head) return;
        Detach(item);
        item->next = head;
        if (head) head->prev = item;
        head = item;
        if (!tail) tail = item;
    }

    // Removes and releases the (most recent) item holding value; false when none does.
    bool DeleteByValue(const V &value)
    {
        for (Item *item = head; item; item = item->next)
        {
            if (item->value == value)
            {
                Detach(item);
                count--;
                Release(item->key, item->value);
                delete item;
                return true;
            }
        }
        return false;
    }

    // Walks the chain from head to tail: fn(key, value).
    template <typename Fn> void ForEach(Fn &&fn) const
    {
        for (const Item *item = head; item; item = item->next)
            fn(item->key, item->value);
    }
};
} // namespace hgl
