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

TEST(FinUseData, RandomAgainstReferenceLRU)
{
    std::mt19937 rng(4242);
    Recording c(5);
    std::list<std::pair<std::u16string, int>> ref;  // head first
    std::vector<std::u16string> ref_released;
    int capacity = 5, next = 100;

    auto evict = [&] {
        for (; int(ref.size()) >= capacity && !ref.empty(); ref.pop_back())
            ref_released.push_back(ref.back().first);
    };
    for (int step = 0; step < 100000; step++)
    {
        const std::u16string k(1, char16_t(u'a' + rng() % 9));
        const int op = int(rng() % 10);
        int v = -1;
        auto it = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.first == k; });
        const bool hit = it != ref.end();
        if (op < 7)  // Get, or Find that never creates
        {
            const bool get = op < 5, fail = get && rng() % 8 == 0;
            const bool move = get ? rng() % 4 != 0 : rng() % 2 != 0;
            // A miss leaves the variable alone; Create's values come in order.
            const int expect = hit ? it->second : (get && !fail ? next : -1);
            c.create_ok = !fail;
            ASSERT_EQ(get ? c.Get(String(k), v, move) : c.Find(String(k), v, move), hit || (get && !fail));
            ASSERT_EQ(v, expect);
            if (hit && move)
                ref.splice(ref.begin(), ref, it);
            if (!hit && get)
            {
                evict();  // even when Create then fails
                if (!fail)
                    ref.emplace_front(k, next++);
            }
        }
        else if (op < 8)  // Add shadows an entry with the same key
        {
            const int value = int(rng() % 1000);
            c.Add(String(k), value);
            evict();
            ref.emplace_front(k, value);
        }
        else if (op < 9)
        {
            if (!ref.empty())
            {
                // The item found is the most recent one holding the value.
                const int value = std::next(ref.begin(), rng() % ref.size())->second;
                auto first = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.second == value; });
                ASSERT_TRUE(c.DeleteByValue(value));
                ref_released.push_back(first->first);
                ref.erase(first);
            }
        }
        else if (rng() % 10 == 0)
        {
            capacity = int(rng() % 8) + 1;
            c.SetCapacity(capacity);
        }
        else if (rng() % 50 == 0)
        {
            c.Clear();
            for (auto &p : ref)
                ref_released.push_back(p.first);
            ref.clear();
        }
        ASSERT_EQ(int(c.Count), int(ref.size())) << "step " << step;
        if (step % 16 == 0)
        {
            U order;
            for (auto &p : ref)
                order.push_back(p.first);
            ASSERT_EQ(c.Order(), order) << "step " << step;
            ASSERT_EQ(c.released, ref_released);
            c.released.clear();
            ref_released.clear();
        }
    }
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

TEST(ObjectBuffer, MakesAndDeletesObjects)
{
    pic_events.clear();
    {
        hgl::ObjectBuffer<Pic> buf(20);
        Pic *p = nullptr, *again = nullptr;
        EXPECT_TRUE(buf.Get(u"Save\\1.hgp", p));
        EXPECT_EQ(p->name, "Save\\1.hgp");
        EXPECT_TRUE(buf.Get(u"Save\\1.hgp", again));
        EXPECT_EQ(again, p);
        buf.Get(u"Save\\2.hgp", p);
        buf.Get(u"Save\\3.hgp", p);
        EXPECT_TRUE(buf.DeleteByValue(p));
        buf.Get(u"Save\\3.hgp", p);
        EXPECT_EQ(pic_events, (S{"file Save\\1.hgp 0 mip", "file Save\\2.hgp 0 mip", "file Save\\3.hgp 0 mip",
                                 "delete Save\\3.hgp", "file Save\\3.hgp 0 mip"}));
        pic_events.clear();
    }  // the most recent first
    EXPECT_EQ(pic_events, (S{"delete Save\\3.hgp", "delete Save\\2.hgp", "delete Save\\1.hgp"}));
}

TEST(ObjectBuffer, FromAMountedFolder)
{
    hgl::test::TempDir dir("cont");
    ASSERT_TRUE(dir.WriteFile("Back/A.hgp", "x"));
    ASSERT_TRUE(dir.WriteFile("Back/B.hgp", "x"));
    hgl::HAC *hac = hgl::OpenHAC(reinterpret_cast<const hgl::u16char *>(dir.Path16().c_str()));
    ASSERT_NE(hac, nullptr);
    pic_events.clear();
    {
        LogCapture log;
        hgl::ObjectBufferFromHAC<Pic> buf(hac, 1);
        EXPECT_EQ(static_cast<hgl::HAC *>(buf.Archive), hac);
        Pic *p = nullptr;
        EXPECT_TRUE(buf.Get(u"Back\\A.hgp", p));
        EXPECT_EQ(p->archive, hac);
        EXPECT_FALSE(buf.Get(u"Back\\Missing.hgp", p));
        EXPECT_EQ(log.Infos(), (U{u"要取得的资源没有找到:Back\\Missing.hgp"}));
        EXPECT_EQ(int(buf.Count), 0);  // the miss evicted A before failing
        EXPECT_TRUE(buf.Get(u"Back\\B.hgp", p));
    }
    EXPECT_EQ(pic_events, (S{"hac Back\\A.hgp 0 mip", "delete Back\\A.hgp", "hac Back\\B.hgp 0 mip", "delete Back\\B.hgp"}));
    delete hac;

    // No archive: false, and nothing said.
    LogCapture log;
    hgl::ObjectBufferFromHAC<Pic> none(nullptr, 3);
    Pic *p = nullptr;
    EXPECT_FALSE(none.Get(u"Back\\A.hgp", p));
    EXPECT_EQ(log.Count(), 0u);
}
