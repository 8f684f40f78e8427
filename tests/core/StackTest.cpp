// Stack, StackObject and OnlyList.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <set>
#include <type_traits>
#include <algorithm>
#include <vector>

#include "Tracked.h"
#include "core/OnlyList.h"
#include "core/Stack.h"

using cont_test::Ev;
using cont_test::Events;
using cont_test::LiveCount;
using cont_test::Tracked;
using hgl::Stack;

namespace
{
// The items of a stack or an only-list, bottom (first) to top (last).
template <typename C> auto Items(const C &c)
{
    std::vector<std::decay_t<decltype(c[0])>> v;
    for (int i = 0; i < c.Count; i++)
        v.push_back(c[i]);
    return v;
}
} // namespace

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
    src = alias; // to itself: nothing changes
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
        s.MaxCount = 3; // the dropped top object is deleted
        EXPECT_EQ(Events().back(), "-4");
        s.MaxCount = 0;
        EXPECT_EQ(int(s.Count), 0);
        EXPECT_EQ(LiveCount(), live);

        s.Push(new Tracked(5));
        s.Push(new Tracked(6));
        Events().clear();
    } // top first
    EXPECT_EQ(Events(), Ev({"-6", "-5"}));
    EXPECT_EQ(LiveCount(), live);
}

using Key16 = std::array<uint8_t, 16>;

TEST(OnlyList, SortedOnceAgainstASetAndCleared)
{
    std::mt19937 random(5489);
    hgl::OnlyList<Key16> list;
    for (int round = 0; round < 2; ++round)
    {
        std::set<Key16> model;
        EXPECT_EQ(list.Find(Key16{}), -1);
        for (int i = 0; i < 300; ++i)
        {
            Key16 key{};
            // Few distinct first bytes: many keys share a prefix, some repeat.
            key[0] = uint8_t(random() % 4);
            key[15] = uint8_t(random() % 64);
            const int at = list.Add(key);
            model.insert(key);
            ASSERT_GE(at, 0);
            EXPECT_EQ(std::memcmp(&list[at], &key, 16), 0);
        }
        const std::vector<Key16> items = Items(list);
        EXPECT_EQ(items, std::vector<Key16>(model.begin(), model.end()));
        for (const Key16 &key : model)
            EXPECT_EQ(std::memcmp(&list[list.Find(key)], &key, 16), 0);
        Key16 absent{};
        absent[0] = 9;
        EXPECT_EQ(list.Find(absent), -1);
        // Cleared, it starts again empty.
        list.Clear();
        EXPECT_EQ(int(list.Count), 0);
        EXPECT_EQ(list.Find(*model.begin()), -1);
    }
}
