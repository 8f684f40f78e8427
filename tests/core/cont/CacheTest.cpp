// FinUseData, ObjectBuffer and ObjectBufferFromHAC: order of use, eviction,
// release of values and the cache's messages.
#include <gtest/gtest.h>

#include <list>
#include <random>
#include <string>
#include <vector>

#include "core/FinUseData.h"
#include "core/ObjectBuffer.h"
#include "core/RectScope.h"
#include "core/List.h"
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
    {
        LogCapture log;
        FinUseData<String, int> zero(0);
        FinUseData<String, int> negative(-5);
        EXPECT_EQ(int(zero.Capacity), 3);
        EXPECT_EQ(int(negative.Capacity), 3);
        EXPECT_EQ(log.Infos(), (U{u"FinUseData缓冲区大小被设置<=0", u"FinUseData缓冲区大小被设置<=0"}));
    }
    {
        LogCapture log;
        Recording c(5);
        c.SetCapacity(0);
        c.Capacity = -1;
        EXPECT_EQ(int(c.Capacity), 5);
        EXPECT_EQ(log.Infos(), (U{u"FinUseData缓冲区大小被设置<=0，此次设置无效！",
                                   u"FinUseData缓冲区大小被设置<=0，此次设置无效！"}));

        for (const char16_t *k : {u"a", u"b", u"c", u"d", u"e"})
            c.Add(k, 1);
        c.Capacity = 2;  // nothing evicted yet
        EXPECT_EQ(int(c.Count), 5);
        c.Add(u"f", 1);  // down to one, then the new one
        EXPECT_EQ(c.Order(), (U{u"f", u"e"}));
        EXPECT_EQ(c.released, (U{u"a", u"b", u"c", u"d"}));
    }
    {
        // A count that disagrees with the chain is reported and the cache reset.
        LogCapture log;
        Recording c(4);
        c.Add(u"a", 1), c.Add(u"b", 2);
        c.BreakCount();
        c.Clear();
        EXPECT_TRUE(log.ContainsInfo(u"FinUseData Count=3,Clear=2")) << log.Dump();
        EXPECT_EQ(int(c.Count), 0);
    }
}

TEST(FinUseData, OrderOfUse)
{
    Recording c(2);
    c.Add(u"a", 1), c.Add(u"b", 2), c.Add(u"c", 3);
    EXPECT_EQ(c.Order(), (U{u"c", u"b"}));
    EXPECT_EQ(c.released, (U{u"a"}));

    int v = 0;
    EXPECT_TRUE(c.Find(u"b", v, false));
    EXPECT_EQ(v, 2);
    EXPECT_EQ(c.Order(), (U{u"c", u"b"}));
    EXPECT_TRUE(c.Find(u"b", v, true));
    EXPECT_EQ(c.Order(), (U{u"b", u"c"}));
    v = -1;
    EXPECT_FALSE(c.Find(u"zz", v, true));
    EXPECT_EQ(v, -1);

    // A miss on a full cache evicts even when Create then fails.
    c.create_ok = false;
    EXPECT_FALSE(c.Get(u"x", v));
    EXPECT_EQ(c.Order(), (U{u"b"}));
    c.create_ok = true;
    EXPECT_TRUE(c.Get(u"x", v));
    EXPECT_EQ(v, 101 - 1);  // the first value Create handed out
    EXPECT_EQ(c.Order(), (U{u"x", u"b"}));
    EXPECT_TRUE(c.Get(u"b", v));  // a hit: most recent by default
    EXPECT_EQ(c.Order(), (U{u"b", u"x"}));

    // Adding a key already there shadows it.
    Recording d(3);
    d.Add(u"k", 1);
    d.Add(u"k", 2);
    EXPECT_EQ(int(d.Count), 2);
    EXPECT_TRUE(d.Find(u"k", v, false));
    EXPECT_EQ(v, 2);

    // DeleteByValue releases the item holding the value.
    EXPECT_TRUE(d.DeleteByValue(1));
    EXPECT_FALSE(d.DeleteByValue(1));
    EXPECT_EQ(d.released, (U{u"k"}));
    EXPECT_EQ(int(d.Count), 1);

    // Character keys compare by the code unit.
    FinUseData<char16_t, int> glyphs(2);
    glyphs.Add(u'字', 1);
    glyphs.Add(u'a', 2);
    EXPECT_TRUE(glyphs.Find(u'字', v, true));
    EXPECT_EQ(v, 1);
    glyphs.Add(u'b', 3);  // evicts 'a'
    EXPECT_FALSE(glyphs.Find(u'a', v, true));
}

// The chain operations a derived cache (the tile font) calls itself.
TEST(FinUseData, MovesAndEvictionsAtEitherEnd)
{
    Recording c(3);
    c.DeleteLast();  // empty: nothing to evict
    EXPECT_EQ(int(c.Count), 0);
    EXPECT_TRUE(c.released.empty());

    hgl::FudItem<String, int> *a = c.Add(u"a", 1);
    c.Add(u"b", 2);
    hgl::FudItem<String, int> *h = c.Add(u"c", 3);
    EXPECT_EQ(h->prev, nullptr);
    EXPECT_EQ(h->next->next, a);
    c.MoveToFront(a);  // the tail
    EXPECT_EQ(c.Order(), (U{u"a", u"c", u"b"}));
    c.MoveToFront(h);  // an inner item
    EXPECT_EQ(c.Order(), (U{u"c", u"a", u"b"}));
    c.MoveToFront(h);  // already the head
    EXPECT_EQ(c.Order(), (U{u"c", u"a", u"b"}));

    int v = 0;
    EXPECT_TRUE(c.Get(u"b", v, false));  // a hit that leaves the order alone
    EXPECT_EQ(c.Order(), (U{u"c", u"a", u"b"}));
    c.DeleteLast();
    EXPECT_EQ(c.released, (U{u"b"}));
    EXPECT_EQ(c.Order(), (U{u"c", u"a"}));
    EXPECT_TRUE(c.DeleteByValue(3));  // the head
    EXPECT_EQ(c.Order(), (U{u"a"}));
    EXPECT_EQ(a->prev, nullptr);
    EXPECT_TRUE(c.Get(u"n", v));  // the chain still takes new heads
    EXPECT_EQ(c.Order(), (U{u"n", u"a"}));
    c.DeleteLast();
    c.DeleteLast();
    EXPECT_EQ(int(c.Count), 0);
    EXPECT_EQ(c.released, (U{u"b", u"c", u"a", u"n"}));
}

TEST(FinUseData, RandomAgainstReferenceLRU)
{
    std::mt19937 rng(4242);
    Recording c(5);
    std::list<std::pair<std::u16string, int>> ref;  // head first
    std::vector<std::u16string> ref_released;
    int capacity = 5;
    int next = 100;

    auto evict = [&] {
        while (int(ref.size()) >= capacity && !ref.empty())
        {
            ref_released.push_back(ref.back().first);
            ref.pop_back();
        }
    };
    for (int step = 0; step < 100000; step++)
    {
        const std::u16string k(1, char16_t(u'a' + rng() % 9));
        const int op = int(rng() % 10);
        int v = -1;
        auto it = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.first == k; });
        if (op < 5)
        {
            const bool fail = rng() % 8 == 0;
            c.create_ok = !fail;
            const bool move = rng() % 4 != 0;
            const bool ok = c.Get(String(k), v, move);
            if (it != ref.end())
            {
                ASSERT_TRUE(ok);
                ASSERT_EQ(v, it->second);
                if (move)
                    ref.splice(ref.begin(), ref, it);
            }
            else
            {
                evict();
                ASSERT_EQ(ok, !fail);
                if (!fail)
                {
                    ASSERT_EQ(v, next);
                    ref.emplace_front(k, next++);
                }
            }
        }
        else if (op < 7)
        {
            const bool move = rng() % 2;
            ASSERT_EQ(c.Find(String(k), v, move), it != ref.end());
            if (it != ref.end() && move)
                ref.splice(ref.begin(), ref, it);
        }
        else if (op < 8)
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
                auto victim = std::next(ref.begin(), rng() % ref.size());
                const int value = victim->second;
                // The item found is the most recent one holding the value.
                auto first = std::find_if(ref.begin(), ref.end(), [&](auto &p) { return p.second == value; });
                ASSERT_TRUE(c.DeleteByValue(value));
                ref_released.push_back(first->first);
                ref.erase(first);
            }
        }
        else
        {
            if (rng() % 10 == 0)
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
std::vector<std::string> &PicEvents()
{
    static std::vector<std::string> e;
    return e;
}

struct FakeArchive
{
    std::vector<std::u16string> files;
    bool FileExist(const hgl::u16char *path) const
    {
        return std::find(files.begin(), files.end(), std::u16string(path)) != files.end();
    }
};

struct Pic
{
    std::string name;
    const void *archive = nullptr;
    Pic(const hgl::u16char *file, hgl::uint format, bool mipmap)
        : name(String(file).ToUTF8())
    {
        PicEvents().push_back("file " + name + " " + std::to_string(format) + (mipmap ? " mip" : ""));
    }
    Pic(FakeArchive *hac, const hgl::u16char *file, hgl::uint format, bool mipmap)
        : name(String(file).ToUTF8()), archive(hac)
    {
        PicEvents().push_back("hac " + name + " " + std::to_string(format) + (mipmap ? " mip" : ""));
    }
    Pic(hgl::HAC *hac, const hgl::u16char *file, hgl::uint, bool) : name(String(file).ToUTF8()), archive(hac) {}
    virtual ~Pic() { PicEvents().push_back("delete " + name); }
};
} // namespace

TEST(ObjectBuffer, MakesAndDeletesObjects)
{
    PicEvents().clear();
    {
        hgl::ObjectBuffer<Pic> buf(20);
        Pic *p = nullptr;
        EXPECT_TRUE(buf.Get(u"Save\\1.hgp", p));
        EXPECT_EQ(p->name, "Save\\1.hgp");
        Pic *again = nullptr;
        EXPECT_TRUE(buf.Get(u"Save\\1.hgp", again));
        EXPECT_EQ(again, p);
        buf.Get(u"Save\\2.hgp", p);
        buf.Get(u"Save\\3.hgp", p);
        EXPECT_TRUE(buf.DeleteByValue(p));
        buf.Get(u"Save\\3.hgp", p);
        EXPECT_EQ(PicEvents(), (std::vector<std::string>{"file Save\\1.hgp 0 mip", "file Save\\2.hgp 0 mip",
                                                         "file Save\\3.hgp 0 mip", "delete Save\\3.hgp",
                                                         "file Save\\3.hgp 0 mip"}));
        PicEvents().clear();
    }   // the most recent first
    EXPECT_EQ(PicEvents(), (std::vector<std::string>{"delete Save\\3.hgp", "delete Save\\2.hgp", "delete Save\\1.hgp"}));
}

TEST(ObjectBuffer, FromAnArchive)
{
    PicEvents().clear();
    FakeArchive hac;
    hac.files = {u"Back\\A.hgp", u"Back\\B.hgp"};
    {
        LogCapture log;
        hgl::ObjectBufferFromHAC<Pic, FakeArchive> buf(&hac, 1);
        EXPECT_EQ(static_cast<FakeArchive *>(buf.Archive), &hac);
        Pic *p = nullptr;
        EXPECT_TRUE(buf.Get(u"Back\\A.hgp", p));
        EXPECT_EQ(p->archive, &hac);
        EXPECT_FALSE(buf.Get(u"Back\\Missing.hgp", p));
        EXPECT_EQ(log.Infos(), (U{u"要取得的资源没有找到:Back\\Missing.hgp"}));
        EXPECT_EQ(int(buf.Count), 0);  // the miss evicted A before failing
        EXPECT_TRUE(buf.Get(u"Back\\B.hgp", p));
    }
    EXPECT_EQ(PicEvents(), (std::vector<std::string>{"hac Back\\A.hgp 0 mip", "delete Back\\A.hgp",
                                                     "hac Back\\B.hgp 0 mip", "delete Back\\B.hgp"}));

    // No archive: false, and nothing said.
    LogCapture log;
    hgl::ObjectBufferFromHAC<Pic, FakeArchive> none(nullptr, 3);
    Pic *p = nullptr;
    EXPECT_FALSE(none.Get(u"Back\\A.hgp", p));
    EXPECT_EQ(log.Count(), 0u);
}

TEST(ObjectBuffer, FromAMountedFolder)
{
    hgl::test::TempDir dir("cont");
    ASSERT_TRUE(dir.WriteFile("Char/Girl.hgp", "x"));
    hgl::HAC *hac = hgl::OpenHAC(reinterpret_cast<const hgl::u16char *>(dir.Path16().c_str()));
    ASSERT_NE(hac, nullptr);
    {
        LogCapture log;
        hgl::ObjectBufferFromHAC<Pic> buf(hac, 36);
        Pic *p = nullptr;
        EXPECT_TRUE(buf.Get(u"Char\\Girl.hgp", p));
        EXPECT_EQ(p->archive, hac);
        EXPECT_FALSE(buf.Get(u"Char\\Boy.hgp", p));
        EXPECT_TRUE(log.ContainsInfo(u"要取得的资源没有找到:Char\\Boy.hgp")) << log.Dump();
    }
    delete hac;
}

TEST(List, EngineRectangles)
{
    hgl::List<hgl::RectScope2<float>> l;
    for (int i = 0; i < 100; i++)
        l.Add(hgl::RectScope2<float>(float(i), float(2 * i), 3, 4));
    for (int i = 0; i < 100; i++)
    {
        ASSERT_EQ(float(l[i].Right), float(i + 3));
        ASSERT_EQ(float(l[i].Bottom), float(2 * i + 4));
    }
    EXPECT_EQ(l.Find(hgl::RectScope2<float>(50, 100, 3, 4)), 50);
    l[7].Right = 100;
    EXPECT_EQ(l[7].Left, 97);

    // Sorting moves the rectangles as objects: their properties follow them.
    using Rects = hgl::List<hgl::RectScope2<float>>;
    l.Sort(Rects::ItemCompare(nullptr, [](void *, const hgl::RectScope2<float> &a, const hgl::RectScope2<float> &b) {
        return a.Top < b.Top ? 1 : (a.Top > b.Top ? -1 : 0);
    }));
    ASSERT_EQ(l.GetCount(), 100);
    for (int i = 0; i < 100; i++)
    {
        ASSERT_EQ(l[i].Top, float(2 * (99 - i)));
        ASSERT_EQ(float(l[i].Bottom), l[i].Top + 4);
    }

    // A comparison that contradicts itself scrambles the order but never the items.
    l.Sort(Rects::ItemCompare(nullptr, [](void *, const hgl::RectScope2<float> &, const hgl::RectScope2<float> &) {
        return -1;
    }));
    ASSERT_EQ(l.GetCount(), 100);
    float tops = 0;
    for (int i = 0; i < 100; i++)
    {
        ASSERT_EQ(float(l[i].Right), l[i].Left + 3);
        tops += l[i].Top;
    }
    EXPECT_EQ(tops, float(99 * 100));
}
