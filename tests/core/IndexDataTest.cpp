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
template <typename M> std::vector<std::u16string> Keys(const M &m)
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
    EXPECT_EQ(k.FindPos(u"a"), -1); // empty
    for (const char16_t *key : {u"b", u"a", u"B", u"ab"})
        k.Set(key, 0);
    EXPECT_EQ(Keys(k), (std::vector<std::u16string>{u"B", u"a", u"ab", u"b"}));
    EXPECT_EQ(k.FindPos(u"aa"), 2);
    EXPECT_EQ(k.FindPos(u"c"), 4);
    EXPECT_EQ(k.FindPos(u"A"), 0);
    k.Add(u"a", 6); // a second entry next to the first
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
