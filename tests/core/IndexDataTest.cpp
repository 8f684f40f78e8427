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

// Set/Add/Get/Change/Unlink/Delete*/FindByData are covered by RandomAgainstMultimap;
// here the order by code unit, FindPos and the forms a random walk does not use.
TEST(IndexData, OrderAndLookups)
{
    IndexData<String, int> k;
    EXPECT_EQ(k.FindPos(u"a"), -1);  // empty
    for (const char16_t *key : {u"b", u"a", u"B", u"ab"})
        k.Set(key, 0);
    EXPECT_EQ(Keys(k), (std::vector<std::u16string>{u"B", u"a", u"ab", u"b"}));
    EXPECT_EQ(k.FindPos(u"aa"), 2);
    EXPECT_EQ(k.FindPos(u"c"), 4);
    EXPECT_EQ(k.FindPos(u"A"), 0);
    k.Add(u"a", 6);  // a second entry next to the first
    EXPECT_EQ(Keys(k), (std::vector<std::u16string>{u"B", u"a", u"a", u"ab", u"b"}));

    IndexData<String, int> d;
    d.Set(u"a", 5), d.Set(u"b", 7);
    EXPECT_TRUE(d.UnlinkByData(5));
    EXPECT_FALSE(d.UnlinkByData(5));
    EXPECT_EQ(Keys(d), (std::vector<std::u16string>{u"b"}));
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
        m.Delete(u"a");
        m.Delete(u"n");  // a null value: only the entry goes
        Tracked *t = nullptr, *three = nullptr;
        EXPECT_TRUE(m.Unlink(u"b", t));  // handed back
        EXPECT_TRUE(m.Get(u"c", three));
        m.DeleteByData(three);  // the value stays alive
        EXPECT_EQ(int(m.Count), 0);
        delete t;
        delete three;

        m.Set(u"x", new Tracked(4));
        m.Set(u"y", new Tracked(5));
        m.DeleteAt(1);
        m.Set(u"p", new Tracked(6));
        m.Set(u"q", new Tracked(7));
        m.Clear();  // the last entry first: x, q, p
        EXPECT_EQ(Events(), Ev({"+1", "+2", "+3", "-1", "-2", "-3", "+4", "+5", "-5", "+6", "+7", "-4", "-7", "-6"}));

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
