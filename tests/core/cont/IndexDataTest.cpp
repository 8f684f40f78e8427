// Sorted maps: order, duplicates, the owning forms and a randomized comparison
// against std::multimap.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Tracked.h"
#include "core/IndexData.h"
#include "core/String.h"

using cont_test::Ev;
using cont_test::Events;
using cont_test::LiveCount;
using cont_test::Tracked;
using hgl::IndexData;
using hgl::String;

namespace
{
template<typename M> std::vector<std::u16string> Keys(const M &m)
{
    std::vector<std::u16string> v;
    for (auto *e : m)
        v.push_back(e->key.ToStdString());
    return v;
}
} // namespace

TEST(IndexData, OrderAndLookups)
{
    IndexData<String, int> m;
    int v = 42;
    EXPECT_EQ(m.Find(u"a"), -1);
    EXPECT_EQ(m.FindPos(u"a"), -1);
    EXPECT_FALSE(m.Get(u"a", v));
    EXPECT_EQ(v, 42);
    m.Set(u"a", 1);
    EXPECT_EQ(m.Find(u"a"), 0);
    EXPECT_EQ(int(m.Count), 1);

    IndexData<String, int> k;
    for (const char16_t *key : {u"b", u"a", u"B", u"ab"})
        k.Set(key, 0);
    EXPECT_EQ(Keys(k), (std::vector<std::u16string>{u"B", u"a", u"ab", u"b"}));
    EXPECT_EQ(k.Find(u"ab"), 2);
    EXPECT_EQ(k.FindPos(u"aa"), 2);
    EXPECT_EQ(k.FindPos(u"c"), 4);
    EXPECT_EQ(k.FindPos(u"A"), 0);

    // Set overwrites; Add puts a second entry next to the first.
    k.Set(u"a", 5);
    EXPECT_EQ(int(k.Count), 4);
    EXPECT_TRUE(k.Get(u"a", v));
    EXPECT_EQ(v, 5);
    auto *dup = k.Add(u"a", 6);
    EXPECT_EQ(dup->value, 6);
    EXPECT_EQ(int(k.Count), 5);
    EXPECT_EQ(Keys(k), (std::vector<std::u16string>{u"B", u"a", u"a", u"ab", u"b"}));

    EXPECT_FALSE(k.Change(u"zz", 1));
    EXPECT_EQ(int(k.Count), 5);
    EXPECT_TRUE(k.Change(u"b", 9));
    EXPECT_TRUE(k.Get(u"b", v));
    EXPECT_EQ(v, 9);

    // FindByData finds the highest index; DeleteByData removes that entry only.
    IndexData<String, int> d;
    d.Set(u"a", 5), d.Set(u"b", 7), d.Set(u"c", 5);
    EXPECT_EQ(d.FindByData(5), 2);
    d.DeleteByData(5);
    EXPECT_EQ(Keys(d), (std::vector<std::u16string>{u"a", u"b"}));

    // Unlink: the caller's variable only changes when the key is there.
    v = -1;
    EXPECT_FALSE(d.Unlink(u"x", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(d.Unlink(u"b", v));
    EXPECT_EQ(v, 7);
    EXPECT_EQ(int(d.Count), 1);
    EXPECT_TRUE(d.UnlinkByData(5));
    EXPECT_FALSE(d.UnlinkByData(5));
    EXPECT_EQ(int(d.Count), 0);

    d.Set(u"q", 1);
    d.DeleteAt(-1);
    d.DeleteAt(1);
    EXPECT_EQ(int(d.Count), 1);
    d.DeleteAt(0);
    EXPECT_EQ(int(d.Count), 0);
    d.Set(u"r", 1), d.Set(u"s", 2);
    d.Delete(u"r");
    d.Delete(u"nothing");
    EXPECT_EQ(Keys(d), (std::vector<std::u16string>{u"s"}));
    d.Clear();
    EXPECT_EQ(int(d.Count), 0);

    // String values compare by their text.
    IndexData<String, String> s;
    s.Set(u"k1", String(u"v"));
    s.Set(u"k2", String(u"w"));
    EXPECT_EQ(s.FindByData(String(u"v")), 0);
    EXPECT_EQ(s.FindByData(String(u"x")), -1);
}

TEST(IndexData, OwningMaps)
{
    Tracked::Reset();
    const int live = LiveCount();
    {
        hgl::IndexObject<String, Tracked> m;
        m.Add(u"a", new Tracked(1));
        m.Add(u"b", new Tracked(2));
        m.Add(u"c", new Tracked(3));
        m.Add(u"n", nullptr);

        Events().clear();
        m.Delete(u"a");
        EXPECT_EQ(Events(), Ev({"-1"}));
        m.Delete(u"n");  // a null value: only the entry goes

        Tracked *t = nullptr;
        EXPECT_TRUE(m.Unlink(u"b", t));
        EXPECT_EQ(t->id, 2);
        EXPECT_EQ(Events(), Ev({"-1"}));
        delete t;

        Tracked *three = nullptr;
        EXPECT_TRUE(m.Get(u"c", three));
        m.DeleteByData(three);  // the value stays alive
        EXPECT_EQ(int(m.Count), 0);
        EXPECT_EQ(three->id, 3);
        delete three;

        m.Set(u"x", new Tracked(4));
        m.Set(u"y", new Tracked(5));
        m.DeleteAt(-1);
        m.DeleteAt(2);
        EXPECT_EQ(int(m.Count), 2);
        Events().clear();
        m.DeleteAt(1);
        EXPECT_EQ(Events(), Ev({"-5"}));

        m.Set(u"p", new Tracked(6));
        m.Set(u"q", new Tracked(7));
        Events().clear();
        m.Clear();  // the last entry first
        EXPECT_EQ(Events(), Ev({"-4", "-7", "-6"}));  // x, q, p

        m.Set(u"a", new Tracked(8));
        m.Set(u"b", new Tracked(9));
        m.Set(u"c", new Tracked(10));
        Events().clear();
    }
    EXPECT_EQ(Events(), Ev({"-10", "-9", "-8"}));
    EXPECT_EQ(LiveCount(), live);

    // The plug-in registry form: a new entry has no plug-in yet.
    struct Interface
    {
        int version = 3;
    };
    hgl::_IndexObject<String, Interface, hgl::PlugInFlagData<String, Interface *>> reg;
    auto *entry = reg.Add(u"Zip", new Interface);
    EXPECT_EQ(entry->plug_in, nullptr);
    EXPECT_EQ(entry->value->version, 3);
}

TEST(IndexData, RandomAgainstMultimap)
{
    std::mt19937 rng(31337);
    IndexData<String, int> m;
    std::multimap<std::u16string, int> ref;
    std::vector<std::pair<std::u16string, int>> mirror;  // the map's entries in its own order

    const char16_t alphabet[] = u"aBbA";
    auto key = [&] {
        std::u16string k;
        const int len = int(rng() % 4);
        for (int i = 0; i < len; i++)
            k += alphabet[rng() % 4];
        return k;
    };
    auto refErase = [&](const std::u16string &k, int v) {
        auto range = ref.equal_range(k);
        for (auto it = range.first; it != range.second; ++it)
            if (it->second == v)
            {
                ref.erase(it);
                return;
            }
        FAIL() << "no such entry in the reference";
    };
    auto indexOf = [&](void *entry) {
        for (int i = 0; i < m.GetCount(); i++)
            if (m.GetItem(i) == entry)
                return i;
        return -1;
    };

    for (int step = 0; step < 100000; step++)
    {
        const std::u16string k = key();
        const String ks(k);
        const int value = int(rng() % 20);
        const int found = m.Find(ks);
        const bool present = ref.count(k) > 0;
        ASSERT_EQ(found != -1, present) << "step " << step;
        if (found != -1)
        {
            ASSERT_EQ(mirror[found].first, k);
        }

        switch (rng() % 8)
        {
        case 0:  // Set
            m.Set(ks, value);
            if (found == -1)
            {
                const int at = m.Find(ks);
                ASSERT_NE(at, -1);
                mirror.insert(mirror.begin() + at, {k, value});
                ref.emplace(k, value);
            }
            else
            {
                refErase(k, mirror[found].second);
                ref.emplace(k, value);
                mirror[found].second = value;
            }
            break;
        case 1:  // Add, duplicates allowed
        {
            const int at = indexOf(m.Add(ks, value));
            ASSERT_NE(at, -1);
            mirror.insert(mirror.begin() + at, {k, value});
            ref.emplace(k, value);
            break;
        }
        case 2:  // Delete
            m.Delete(ks);
            if (found != -1)
            {
                refErase(k, mirror[found].second);
                mirror.erase(mirror.begin() + found);
            }
            break;
        case 3:  // DeleteByData: the highest index with the value
        {
            int expect = -1;
            for (int i = int(mirror.size()) - 1; i >= 0; i--)
                if (mirror[i].second == value)
                {
                    expect = i;
                    break;
                }
            ASSERT_EQ(m.FindByData(value), expect);
            m.DeleteByData(value);
            if (expect != -1)
            {
                refErase(mirror[expect].first, value);
                mirror.erase(mirror.begin() + expect);
            }
            break;
        }
        case 4:  // Unlink
        {
            int out = -7;
            ASSERT_EQ(m.Unlink(ks, out), found != -1);
            if (found != -1)
            {
                ASSERT_EQ(out, mirror[found].second);
                refErase(k, out);
                mirror.erase(mirror.begin() + found);
            }
            else
            {
                ASSERT_EQ(out, -7);
            }
            break;
        }
        case 5:  // Change
            ASSERT_EQ(m.Change(ks, value), found != -1);
            if (found != -1)
            {
                refErase(k, mirror[found].second);
                ref.emplace(k, value);
                mirror[found].second = value;
            }
            break;
        case 6:  // Get
        {
            int out = -7;
            ASSERT_EQ(m.Get(ks, out), found != -1);
            ASSERT_EQ(out, found != -1 ? mirror[found].second : -7);
            break;
        }
        case 7:  // DeleteAt
        {
            const int at = int(rng() % (mirror.size() + 2)) - 1;
            m.DeleteAt(at);
            if (at >= 0 && at < int(mirror.size()))
            {
                refErase(mirror[at].first, mirror[at].second);
                mirror.erase(mirror.begin() + at);
            }
            break;
        }
        }

        ASSERT_EQ(int(m.Count), int(ref.size())) << "step " << step;
        ASSERT_EQ(mirror.size(), ref.size());
        if (step % 64 == 0 || m.GetCount() < 8)
        {
            for (int i = 0; i < m.GetCount(); i++)
            {
                ASSERT_EQ(m.GetItem(i)->key.ToStdString(), mirror[i].first) << "step " << step;
                ASSERT_EQ(m.GetItem(i)->value, mirror[i].second);
                if (i > 0)
                {
                    ASSERT_LE(m.GetItem(i - 1)->key.Comp(m.GetItem(i)->key), 0);
                }
            }
            auto sorted = mirror;
            std::sort(sorted.begin(), sorted.end());
            std::vector<std::pair<std::u16string, int>> expect(ref.begin(), ref.end());
            std::sort(expect.begin(), expect.end());
            ASSERT_EQ(sorted, expect);
        }
    }
}
