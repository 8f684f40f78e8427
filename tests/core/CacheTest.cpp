// FinUseData, ObjectBuffer and ObjectBufferFromHAC: order of use, eviction,
// release of values and the cache's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "core/FinUseData.h"
#include "core/ObjectBuffer.h"
#include "io/ObjectBufferFromHAC.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using hgl::FinUseData;
using hgl::String;
using hgl::test::LogCapture;

namespace
{
// A cache that records what it releases and can be told to refuse Create.
struct Recording : FinUseData<String, int>
{
    std::vector<std::u16string> released;
    bool create_ok = true;
    int next_value = 100;

    explicit Recording(int size) : FinUseData<String, int>(size) {}
    ~Recording() override { Clear(); }

    bool Create(const String &, int &value) override
    {
        if (!create_ok)
            return false;
        value = next_value++;
        return true;
    }
    void Release(const String &key, int &) override { released.push_back(key.ToStdString()); }

    std::vector<std::u16string> Order() const
    {
        std::vector<std::u16string> v;
        ForEach([&](const String &k, int) { v.push_back(k.ToStdString()); });
        return v;
    }

    void BreakCount() { count++; }
};

using U = std::vector<std::u16string>;
} // namespace

TEST(FinUseData, CapacityAndMessages)
{
    LogCapture log;
    FinUseData<String, int> zero(0), negative(-5);
    EXPECT_EQ(int(zero.Capacity), 3);
    EXPECT_EQ(int(negative.Capacity), 3);
    Recording c(5);
    c.SetCapacity(0);
    c.Capacity = -1;
    EXPECT_EQ(int(c.Capacity), 5);
    EXPECT_EQ(log.Infos(), (U{u"FinUseData缓冲区大小被设置<=0", u"FinUseData缓冲区大小被设置<=0",
                               u"FinUseData缓冲区大小被设置<=0，此次设置无效！",
                               u"FinUseData缓冲区大小被设置<=0，此次设置无效！"}));

    // A count that disagrees with the chain is reported and the cache reset.
    c.Add(u"a", 1), c.Add(u"b", 2);
    c.BreakCount();
    c.Clear();
    EXPECT_TRUE(log.ContainsInfo(u"FinUseData Count=3,Clear=2")) << log.Dump();
    EXPECT_EQ(int(c.Count), 0);
}

// Hits, misses, failed creation, shadowing and DeleteByValue are covered by
// RandomAgainstReferenceLRU; here the chain operations a derived cache (the tile
// font) calls itself, and keys of another type.
TEST(FinUseData, MovesAndEvictionsAtEitherEnd)
{
    Recording c(3);
    c.DeleteLast();  // empty: nothing to evict
    EXPECT_TRUE(c.released.empty());

    hgl::FudItem<String, int> *a = c.Add(u"a", 1);
    c.Add(u"b", 2);
    hgl::FudItem<String, int> *h = c.Add(u"c", 3);
    EXPECT_EQ(h->prev, nullptr);
    EXPECT_EQ(h->next->next, a);
    c.MoveToFront(a);  // the tail
    EXPECT_EQ(c.Order(), (U{u"a", u"c", u"b"}));
    c.MoveToFront(h);  // an inner item
    c.MoveToFront(h);  // already the head
    EXPECT_EQ(c.Order(), (U{u"c", u"a", u"b"}));

    c.DeleteLast();
    EXPECT_EQ(c.released, (U{u"b"}));
    EXPECT_TRUE(c.DeleteByValue(3));  // the head
    EXPECT_EQ(a->prev, nullptr);
    int v = 0;
    EXPECT_TRUE(c.Get(u"n", v));  // the chain still takes new heads
    EXPECT_EQ(c.Order(), (U{u"n", u"a"}));
    c.DeleteLast();
    c.DeleteLast();
    EXPECT_EQ(int(c.Count), 0);
    EXPECT_EQ(c.released, (U{u"b", u"c", u"a", u"n"}));

    // Character keys compare by the code unit.
    FinUseData<char16_t, int> glyphs(2);
    glyphs.Add(u'字', 1);
    glyphs.Add(u'a', 2);
    EXPECT_TRUE(glyphs.Find(u'字', v, true));
    EXPECT_EQ(v, 1);
    glyphs.Add(u'b', 3);  // evicts 'a'
    EXPECT_FALSE(glyphs.Find(u'a', v, true));
}

namespace
{
// A picture stand-in: records how it was made and when it is deleted.
std::vector<std::string> pic_events;
using S = std::vector<std::string>;

struct Pic
{
    std::string name;
    const void *archive = nullptr;
    Pic(const void *hac, const char *how, const hgl::u16char *file, hgl::uint format, bool mipmap)
        : name(String(file).ToUTF8()), archive(hac)
    {
        pic_events.push_back(how + name + " " + std::to_string(format) + (mipmap ? " mip" : ""));
    }
    Pic(const hgl::u16char *file, hgl::uint format, bool mipmap) : Pic(nullptr, "file ", file, format, mipmap) {}
    Pic(hgl::HAC *hac, const hgl::u16char *file, hgl::uint format, bool mipmap)
        : Pic(hac, "hac ", file, format, mipmap) {}
    virtual ~Pic() { pic_events.push_back("delete " + name); }
};
} // namespace
