// List<T>: edge cases, virtual dispatch, stream forms, non-plain items and a
// randomized comparison against std::vector.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "core/Color.h"
#include "core/List.h"
#include "core/RectScope.h"
#include "core/String.h"
#include "io/MemStream.h"
#include "support/LogCapture.h"

using hgl::List;
using hgl::MemStream;

namespace
{
template <typename T> std::vector<T> Items(const List<T> &l)
{
    return std::vector<T>(l.begin(), l.end());
}

std::vector<uint8_t> Bytes(const MemStream &s)
{
    const uint8_t *p = s.GetData();
    return p ? std::vector<uint8_t>(p, p + s.GetSize()) : std::vector<uint8_t>{};
}

// Items written as the raw bytes of a few ints, the way a saved list looks.
MemStream *StreamOf(std::vector<int32_t> words)
{
    auto *s = new MemStream;
    s->Create(0, false);
    for (int32_t w : words)
        s->Write(&w, 4);
    s->Position = 0;
    return s;
}

} // namespace

TEST(List, ExchangeOutsideTheListDoesNothing)
{
    List<int> l;
    l.Add(1), l.Add(2);
    EXPECT_DEBUG_DEATH(l.Exchange(0, 2), "out of range");
    EXPECT_EQ(Items(l), (std::vector<int>{1, 2}));
}

// Every operation that calls another goes through the virtual table.
TEST(List, InnerCallsReachOverrides)
{
    struct Counting : List<int>
    {
        int adds = 0, deletes = 0, clears = 0, finds = 0, sets = 0;
        using List<int>::Find;
        int Add(const int &v) override
        {
            adds++;
            return List<int>::Add(v);
        }
        bool Delete(int i) override
        {
            deletes++;
            return List<int>::Delete(i);
        }
        void Clear() override
        {
            clears++;
            List<int>::Clear();
        }
        // The form a derived list writes from the operation's plain signature.
        int Find(const int &v) override
        {
            finds++;
            return List<int>::Find(v);
        }
        void SetCount(int n) override
        {
            sets++;
            List<int>::SetCount(n);
        }
    } l;
    l += 1;
    l << 2;
    l.Insert(5, 3);
    EXPECT_EQ(l.adds, 3);
    l -= 2;
    l.DeleteByData(1);
    const int arr[] = {3, 8};
    l.DeleteByDataArray(arr, 2);
    EXPECT_EQ(l.deletes, 3);
    EXPECT_EQ(l.finds, 4);
    l.Add(4);
    l.Count = 0;
    EXPECT_EQ(l.sets, 1);
    EXPECT_EQ(l.clears, 1);

    std::unique_ptr<MemStream> s(StreamOf({1, 5}));
    EXPECT_TRUE(l.LoadFromStream(s.get(), -1));
    EXPECT_GE(l.sets, 2);
    EXPECT_EQ(Items(l), (std::vector<int>{5}));
}

TEST(List, SaveToStreamForms)
{
    List<int32_t> l;
    l.Add(0x0A), l.Add(0x0B), l.Add(0x0C);
    MemStream all, part, bad, empty;
    EXPECT_TRUE(l.SaveToStream(&all, 0, 0));
    EXPECT_EQ(Bytes(all), (std::vector<uint8_t>{3, 0, 0, 0, 0x0A, 0, 0, 0, 0x0B, 0, 0, 0, 0x0C, 0, 0, 0}));
    EXPECT_TRUE(l.SaveToStream(&part, 1, 2));
    EXPECT_EQ(Bytes(part), (std::vector<uint8_t>{2, 0, 0, 0, 0x0B, 0, 0, 0, 0x0C, 0, 0, 0}));

    EXPECT_FALSE(l.SaveToStream(&bad, 2, 2));
    EXPECT_FALSE(l.SaveToStream(&bad, -1, 1));
    EXPECT_FALSE(l.SaveToStream(&bad, 1, 0));
    EXPECT_FALSE(l.SaveToStream(nullptr, 0, 0));
    EXPECT_TRUE(Bytes(bad).empty());

    // The empty list: the count alone, a success.
    EXPECT_TRUE(List<int32_t>().SaveToStream(&empty, 0, 0));
    EXPECT_EQ(Bytes(empty), (std::vector<uint8_t>{0, 0, 0, 0}));

    // Streams too small for the count or for the items: a failed save.
    MemStream full(2, true), tight(10, true);
    EXPECT_FALSE(l.SaveToStream(&full, 0, 0));
    EXPECT_FALSE(l.SaveToStream(&tight, 0, 0));
}

TEST(List, CorruptStreamsLeaveTheListUnchanged)
{
    auto check = [](const std::vector<uint8_t> &bytes, const char16_t *message)
    {
        hgl::test::LogCapture log;
        List<int32_t> l;
        l.Add(5), l.Add(6);
        MemStream s;
        s.Create(0, false);
        if (!bytes.empty()) s.Write(bytes.data(), int(bytes.size()));
        s.Position = 0;
        EXPECT_FALSE(l.LoadFromStream(&s, -1));
        EXPECT_EQ(Items(l), (std::vector<int32_t>{5, 6}));
        EXPECT_TRUE(log.ContainsError(message)) << log.Dump();
    };
    check({2, 0}, u"列表数据读取失败：数量不完整");                                      // truncated count
    check({}, u"列表数据读取失败：数量不完整");                                          // nothing at all
    check({2, 0, 0, 0, 1, 0, 0, 0, 2, 0}, u"列表数据中的数量<2>超出了数据的长度");       // truncated items
    check({0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0}, u"列表数据中的数量无效<-2>");            // negative count
    check({0, 0, 0, 0x40, 1, 2, 3, 4}, u"列表数据中的数量<1073741824>超出了数据的长度"); // 2^30
}

namespace
{
// A stream form of two bytes per item, to tell the item functions apart from raw bytes.
bool WriteShort(hgl::Stream *s, const int32_t *v)
{
    const int16_t x = int16_t(*v);
    return s->WriteFully(&x, 2);
}
bool ReadShort(hgl::Stream *s, int32_t *v)
{
    int16_t x;
    if (!s->ReadFully(&x, 2)) return false;
    *v = x;
    return true;
}
void ReadWord(hgl::Stream *s, int32_t *v)
{
    s->Read(v, 4);
}
} // namespace

TEST(List, ItemFunctions)
{
    List<int32_t> l;
    l.WriteItem = &WriteShort;
    l.ReadItem = &ReadShort;
    l.Add(1), l.Add(-2), l.Add(3);
    MemStream s;
    EXPECT_TRUE(l.SaveToStream(&s, 0, 0));
    EXPECT_EQ(Bytes(s), (std::vector<uint8_t>{3, 0, 0, 0, 1, 0, 0xFE, 0xFF, 3, 0}));

    s.Position = 0;
    List<int32_t> back;
    back.ReadItem = &ReadShort;
    EXPECT_TRUE(back.LoadFromStream(&s, -1));
    EXPECT_EQ(Items(back), (std::vector<int32_t>{1, -2, 3}));

    // A partial load reads the items it does not keep, so the stream stands after the list.
    s.Position = 0;
    EXPECT_TRUE(back.LoadFromStream(&s, 2));
    EXPECT_EQ(Items(back), (std::vector<int32_t>{1, -2, 3, 1, -2}));
    EXPECT_EQ(s.Position.Get(), 10);
    back.SetCount(3);

    // A short item area: the list is put back as it was.
    MemStream cut;
    cut.Write(Bytes(s).data(), 8);
    cut.Position = 0;
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(back.LoadFromStream(&cut, -1));
        EXPECT_TRUE(log.ContainsError(u"列表数据读取失败：第<2>项不完整")) << log.Dump();
    }
    EXPECT_EQ(Items(back), (std::vector<int32_t>{1, -2, 3}));

    // A failing item writer fails the save.
    l.WriteItem = [](hgl::Stream *, const int32_t *) { return false; };
    MemStream f;
    EXPECT_FALSE(l.SaveToStream(&f, 0, 0));
}

// Void item readers cannot report a short read; a forged count must not make them
// "read" millions of items out of nothing.
TEST(List, ItemFunctionsAgainstForgedCounts)
{
    for (int32_t forged : {3, 1 << 20, 1 << 30, 0x7FFFFFFF})
    {
        MemStream s;
        s.Create(0, false);
        s.Write(&forged, 4);
        const int32_t one = 1;
        s.Write(&one, 2);
        s.Position = 0;
        List<int32_t> l;
        l.Add(7);
        l.ReadItem = ReadWord;
        hgl::test::LogCapture log;
        EXPECT_FALSE(l.LoadFromStream(&s, -1)) << forged;
        EXPECT_EQ(Items(l), (std::vector<int32_t>{7}));
        const std::u16string n(hgl::String(int(forged)).c_str());
        // One more item than an int can count is refused before the length is looked at.
        const std::u16string message = forged == 0x7FFFFFFF ? u"列表数据中的数量过大<" + n + u">"
                                                            : u"列表数据中的数量<" + n + u">超出了数据的长度";
        EXPECT_EQ(log.Errors(), (std::vector<std::u16string>{message})) << log.Dump();
    }
}

TEST(List, RectanglesAreCopiedAsObjects)
{
    // The rectangle's Right/Bottom properties are bound to its own address: a list
    // must never copy its bytes around, and has no raw byte form for it.
    using Rect = hgl::RectScope2<float>;
    static_assert(!List<Rect>::RawItems);
    List<Rect> l;
    for (int i = 0; i < 100; i++)
        l.Add(Rect(float(i), float(2 * i), 3, 4));
    auto bound = [](const List<Rect> &list)
    {
        for (int i = 0; i < list.GetCount(); i++)
        {
            ASSERT_EQ(float(list[i].Right), list[i].Left + list[i].Width) << i;
            ASSERT_EQ(float(list[i].Bottom), list[i].Top + list[i].Height) << i;
        }
    };
    bound(l);
    EXPECT_EQ(l.Find(Rect(50, 100, 3, 4)), 50);
    EXPECT_EQ(l.Find(Rect(50, 100, 3, 5)), -1);
    l[7].Right = 100;
    EXPECT_EQ(l[7].Left, 97);

    // Sorting moves the rectangles as objects: their properties follow them.
    l.Sort(List<Rect>::ItemCompare(nullptr, [](void *, const Rect &a, const Rect &b)
                                   { return a.Top < b.Top ? 1 : (a.Top > b.Top ? -1 : 0); }));
    for (int i = 0; i < 100; i++)
        ASSERT_EQ(l[i].Top, float(2 * (99 - i)));
    bound(l);
    // A comparison that contradicts itself scrambles the order but never the items.
    l.Sort(List<Rect>::ItemCompare(nullptr, [](void *, const Rect &, const Rect &) { return -1; }));
    float tops = 0;
    for (int i = 0; i < 100; i++)
        tops += l[i].Top;
    EXPECT_EQ(tops, float(99 * 100));
    bound(l);

    l.Insert(0, Rect(-1, 0, 1, 1));
    l.Delete(50);
    l.Move(0, 10);
    l.Exchange(1, 2);
    l.Count = 120;
    List<Rect> copy(l);
    l[10].Left = 1000; // a copy bound to the source's items would follow this
    bound(copy);
    EXPECT_EQ(float(copy[10].Right), 0.0f);
    EXPECT_EQ(float(copy[119].Right), 0.0f);

    MemStream s;
    EXPECT_FALSE(l.SaveToStream(&s, 0, 0));
    EXPECT_EQ(s.GetSize(), 0);
}
