// Stack, StackObject and OnlyList.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <type_traits>
#include <algorithm>
#include <vector>

#include "Tracked.h"
#include "core/OnlyList.h"
#include "core/Stack.h"
#include "game/core/GameStack.h"
#include "game/stage/MsgIndex.h"

using cont_test::Ev;
using cont_test::Events;
using cont_test::LiveCount;
using cont_test::Tracked;
using hgl::Stack;

namespace
{
// The items of a stack or an only-list, bottom (first) to top (last).
template<typename C> auto Items(const C &c)
{
    std::vector<std::decay_t<decltype(c[0])>> v;
    for (int i = 0; i < c.Count; i++)
        v.push_back(c[i]);
    return v;
}
} // namespace

// Push/Pop against a growing or fixed size and MaxCount changes that drop items from
// the top are covered by RandomAgainstVector.
TEST(Stack, GrowableAndFixed)
{
    Stack<int> m;
    EXPECT_EQ(int(m.MaxCount), 0);
    m.Push(1), m.Push(2), m.Push(3);
    int out = 0;
    EXPECT_TRUE(m.Peek(out));
    EXPECT_EQ(out, 3);
    m.MaxCount = 1;  // keeps the bottom item and makes the stack fixed
    EXPECT_FALSE(m.Push(9));
    m.MaxCount = -4;  // ignored
    EXPECT_EQ(int(m.MaxCount), 1);
    EXPECT_EQ(Items(m), (std::vector<int>{1}));
    m.MaxCount = 0;  // growable and empty
    EXPECT_EQ(int(m.Count), 0);
    EXPECT_FALSE(m.Peek(out));
    EXPECT_EQ(out, 3);
}

TEST(Stack, Assignment)
{
    Stack<int> src;
    src.Push(1), src.Push(2), src.Push(3);

    // An empty source leaves the target as it was.
    Stack<int> t;
    t.Push(9);
    t = Stack<int>();
    EXPECT_EQ(Items(t), (std::vector<int>{9}));

    // A growable source of three items: a growable copy of them, whatever the target was.
    Stack<int> fixed(5);
    fixed.Push(7);
    fixed = src;
    EXPECT_EQ(Items(fixed), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(int(fixed.MaxCount), 0);

    Stack<int> &alias = src;
    src = alias;  // to itself: nothing changes
    EXPECT_EQ(Items(src), (std::vector<int>{1, 2, 3}));

    // A fixed source: copies (constructed or assigned) are fixed to the same size.
    Stack<int> f2(4);
    f2.Push(1);
    Stack<int> copy(f2);
    EXPECT_EQ(int(copy.MaxCount), 4);
    EXPECT_EQ(Items(copy), (std::vector<int>{1}));
    t = f2;
    EXPECT_TRUE(t.Push(2) && t.Push(3) && t.Push(4));
    EXPECT_FALSE(t.Push(5));
}

TEST(Stack, OwningStack)
{
    Tracked::Reset();
    const int live = LiveCount();
    {
        hgl::StackObject<Tracked> s;
        for (int id : {1, 2, 3})
            s.Push(new Tracked(id));
        Tracked *popped = nullptr;
        EXPECT_TRUE(s.Pop(popped));
        EXPECT_EQ(popped->id, 3);
        delete popped;
        s.Push(nullptr);
        s.Push(new Tracked(4));
        s.MaxCount = 3;  // the dropped top object is deleted
        EXPECT_EQ(Events().back(), "-4");
        s.MaxCount = 0;
        EXPECT_EQ(int(s.Count), 0);
        EXPECT_EQ(LiveCount(), live);

        s.Push(new Tracked(5));
        s.Push(new Tracked(6));
        Events().clear();
    }   // top first
    EXPECT_EQ(Events(), Ev({"-6", "-5"}));
    EXPECT_EQ(LiveCount(), live);
}

TEST(Stack, RandomAgainstVector)
{
    std::mt19937 rng(1206);
    Stack<int> s;
    std::vector<int> v;
    int max = 0;
    for (int step = 0; step < 100000; step++)
    {
        const int op = int(rng() % 10);
        if (op < 5)
        {
            const int value = int(rng());
            const bool ok = max == 0 || int(v.size()) < max;
            ASSERT_EQ(s.Push(value), ok);
            if (ok)
                v.push_back(value);
        }
        else if (op < 9)
        {
            int out = -1;
            ASSERT_EQ(s.Pop(out), !v.empty());
            ASSERT_EQ(out, v.empty() ? -1 : v.back());  // a failed Pop leaves the variable alone
            if (!v.empty())
                v.pop_back();
        }
        else if (rng() % 20 == 0)
        {
            max = int(rng() % 40);
            s.MaxCount = max;
            if (int(v.size()) > max)
                v.resize(size_t(max));
        }
        else if (rng() % 50 == 0)
            s.Clear(), v.clear();
        ASSERT_EQ(int(s.Count), int(v.size()));
        ASSERT_EQ(int(s.MaxCount), max);
    }
    EXPECT_EQ(Items(s), v);
}

TEST(Stack, GameCallStack)
{
    hgl::StackObject<avg::GameStack> calls;  // deletes what is left on it
    calls.Push(new avg::GameStack(hgl::String(u"Script\\A.CPP")));
    calls.Push(new avg::GameStack(hgl::String(u"Script\\B.CPP")));
    calls[1]->stream->Write("run", 3);
    avg::GameStack *top = nullptr;
    ASSERT_TRUE(calls.Pop(top));
    EXPECT_EQ(top->name.Comp(u"Script\\B.CPP"), 0);
    EXPECT_EQ(top->stream->GetSize(), 3);
    delete top;
}

using Key16 = std::array<uint8_t, 16>;

// Sorted insertion, duplicates and FindPos in a filled list are covered by RandomAgainstSet.
TEST(OnlyList, EmptyListsAndMessageDigests)
{
    hgl::OnlyList<Key16> l;
    EXPECT_EQ(l.FindPos(Key16{1}), -1);
    EXPECT_EQ(l.Find(Key16{1}), -1);
    EXPECT_EQ(l.Add(Key16{5}), 0);
    EXPECT_EQ(l.Add(Key16{5}), 0);
    EXPECT_EQ(int(l.Count), 1);

    // Bytes are unsigned: 0x80 after 0x7F, decided by the last byte.
    hgl::OnlyList<avg::MsgIndex> m;
    avg::MsgIndex a{}, b{};
    a.digest[15] = 0x80;
    b.digest[15] = 0x7F;
    m.Add(a);
    m.Add(b);
    EXPECT_EQ(Items(m), (std::vector<avg::MsgIndex>{b, a}));

    // The message window empties its indexes between scripts.
    m.Clear();
    EXPECT_EQ(int(m.Count), 0);
    EXPECT_EQ(m.Find(a), -1);
    EXPECT_EQ(m.FindPos(a), -1);
    EXPECT_EQ(m.Add(a), 0);
}

TEST(OnlyList, RandomAgainstSet)
{
    std::mt19937 rng(77);
    hgl::OnlyList<Key16> l;
    auto less = [](const Key16 &a, const Key16 &b) { return std::memcmp(a.data(), b.data(), 16) < 0; };
    std::vector<Key16> ref;  // kept sorted by memcmp
    auto make = [&] {
        Key16 k{};
        // Few distinct values in the first and last bytes: many duplicates and near misses.
        k[0] = uint8_t(rng() % 40 + 100);
        k[7] = uint8_t(rng() % 3 * 0x7F);
        k[15] = uint8_t(rng() % 64 * 4);
        return k;
    };
    for (int step = 0; step < 100000; step++)
    {
        const Key16 k = make();
        auto it = std::lower_bound(ref.begin(), ref.end(), k, less);
        const int pos = int(it - ref.begin());
        const bool present = it != ref.end() && *it == k;
        if (rng() % 3 == 0)
        {
            ASSERT_EQ(l.Find(k), present ? pos : -1);
            if (!present && !ref.empty())
            {
                ASSERT_EQ(l.FindPos(k), pos);
            }
        }
        else
        {
            ASSERT_EQ(l.Add(k), pos);
            if (!present)
                ref.insert(it, k);
        }
        ASSERT_EQ(int(l.Count), int(ref.size()));
    }
    EXPECT_EQ(Items(l), std::vector<Key16>(ref.begin(), ref.end()));
}
