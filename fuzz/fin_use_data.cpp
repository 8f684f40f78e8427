// The least-recently-used cache against a reference list: the input's bytes pick
// the operations (look-ups that move or not, creations that fail, additions that
// shadow a key, deletions by value, new capacities, clears). The order of use, the
// count and every released key must match the reference after each step.
#include "core/FinUseData.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <list>
#include <string>
#include <utility>
#include <vector>

using hgl::FinUseData;
using hgl::String;

namespace
{
using Keys = std::vector<std::u16string>;

// A cache that records what it releases and can be told to refuse Create.
struct Recording : FinUseData<String, int>
{
    Keys released;
    bool create_ok = true;
    int next_value = 100;

    explicit Recording(int size) : FinUseData<String, int>(size) {}
    ~Recording() override { Clear(); }

    bool Create(const String &, int &value) override
    {
        if (!create_ok) return false;
        value = next_value++;
        return true;
    }
    void Release(const String &key, int &) override { released.push_back(key.ToStdString()); }

    Keys Order() const
    {
        Keys v;
        ForEach([&](const String &k, int) { v.push_back(k.ToStdString()); });
        return v;
    }
};

void Check(bool ok, const char *what)
{
    if (ok) return;
    std::fprintf(stderr, "fin_use_data: %s\n", what);
    std::abort();
}

// The input read a byte at a time; zeros once it is spent.
struct Bytes
{
    const uint8_t *data;
    size_t size, at = 0;
    unsigned Next() { return at < size ? data[at++] : 0; }
    bool Left() const { return at < size; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    constexpr int kStartCapacity = 5, kKeys = 9, kMaxCapacity = 8;
    Bytes in{data, size};
    Recording c(kStartCapacity);
    std::list<std::pair<std::u16string, int>> ref; // most recent first
    Keys ref_released;
    int capacity = kStartCapacity, next = 100;
    auto evict = [&]
    {
        for (; int(ref.size()) >= capacity && !ref.empty(); ref.pop_back())
            ref_released.push_back(ref.back().first);
    };
    while (in.Left())
    {
        const unsigned op = in.Next() % 10, arg = in.Next();
        const std::u16string k(1, char16_t(u'a' + arg % kKeys));
        int v = -1;
        auto it = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.first == k; });
        const bool hit = it != ref.end();
        if (op < 7) // Get, or Find that never creates
        {
            const bool get = op < 5, fail = get && (arg & 0x80), move = arg & 0x40;
            const int expect = hit ? it->second : (get && !fail ? next : -1);
            c.create_ok = !fail;
            Check((get ? c.Get(String(k), v, move) : c.Find(String(k), v, move)) == (hit || (get && !fail)),
                  "look-up result");
            Check(v == expect, "looked-up value");
            if (hit && move) ref.splice(ref.begin(), ref, it);
            if (!hit && get)
            {
                evict(); // even when Create then fails
                if (!fail) ref.emplace_front(k, next++);
            }
        }
        else if (op == 7) // Add shadows an entry with the same key
        {
            c.Add(String(k), int(arg));
            evict();
            ref.emplace_front(k, int(arg));
        }
        else if (op == 8)
        {
            if (ref.empty()) continue;
            // The item found is the most recent one holding the value.
            const int value = std::next(ref.begin(), long(arg % ref.size()))->second;
            auto first = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.second == value; });
            Check(c.DeleteByValue(value), "delete by value");
            ref_released.push_back(first->first);
            ref.erase(first);
        }
        else if (arg & 1)
        {
            capacity = int(arg >> 1) % kMaxCapacity + 1;
            c.SetCapacity(capacity);
        }
        else
        {
            c.Clear();
            for (auto &p : ref)
                ref_released.push_back(p.first);
            ref.clear();
        }
        Check(int(c.Count) == int(ref.size()), "count");
        Keys order;
        for (auto &p : ref)
            order.push_back(p.first);
        Check(c.Order() == order, "order of use");
        Check(c.released == ref_released, "released keys");
    }
    return 0;
}
