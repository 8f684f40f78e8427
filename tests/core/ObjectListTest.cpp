// ObjectList<T> and ClasList<T>: who creates, deletes and hands back which object, in
// which order.
#include <gtest/gtest.h>

#include <memory>

#include "Tracked.h"
#include "core/ClasList.h"
#include "core/ObjectList.h"
#include "io/MemStream.h"

using cont_test::Ev;
using cont_test::Events;
using cont_test::LiveCount;
using cont_test::Tracked;
using hgl::ObjectList;

namespace
{
std::vector<int> Ids(const ObjectList<Tracked> &l)
{
    std::vector<int> v;
    for (Tracked *t : l)
        v.push_back(t ? t->id : -1);
    return v;
}

int ById(void *, Tracked *a, Tracked *b)
{
    return a->id - b->id;
}
int ByIdSlot(void *, Tracked *const &a, Tracked *const &b)
{
    return b->id - a->id;
}
} // namespace

TEST(ObjectList, CreatesAndDeletesInOrder)
{
    Tracked::Reset();
    const int live = LiveCount();
    {
        ObjectList<Tracked> l;
        l.SetCount(3);
        l.SetCount(1); // the last first
        l.Count = 0;
        EXPECT_EQ(Events(), Ev({"+0", "+1", "+2", "-2", "-1", "-0"}));
        EXPECT_EQ(l.GetData(), nullptr);

        Tracked::Reset();
        l.Count = 2;              // +0 +1
        l.CreateAt(-1);           // +2 first
        l.CreateAt(l.GetCount()); // +3 last
        l.CreateAt(2);            // +4 at index 2
        l.Create();               // +5
        EXPECT_EQ(Ids(l), (std::vector<int>{2, 0, 4, 1, 3, 5}));

        // Delete destroys, Unlink hands back.
        Events().clear();
        EXPECT_TRUE(l.Delete(0));
        Tracked *kept = l[0];
        EXPECT_TRUE(l.Unlink(0));
        EXPECT_FALSE(l.Unlink(9));
        EXPECT_FALSE(l.Delete(-1));
        EXPECT_FALSE(l.UnlinkByData(kept));
        delete kept;
        EXPECT_EQ(Events(), Ev({"-2", "-0"}));

        // The list forms of DeleteByData delete through Delete.
        Tracked *one = l[1];
        Events().clear();
        EXPECT_TRUE(l.DeleteByData(one));
        EXPECT_FALSE(l -= one);
        EXPECT_EQ(Events(), Ev({"-1"}));

        // Handed-over objects are owned; a held null is skipped.
        l.Add(new Tracked(100));
        l.Add(nullptr);
        Tracked *arr[] = {new Tracked(101), new Tracked(102)};
        l.AddArray(arr, 2);
        EXPECT_EQ(Ids(l), (std::vector<int>{4, 3, 5, 100, -1, 101, 102}));

        Tracked *two[] = {l[0], l[6]};
        Events().clear();
        l.DeleteByDataArray(two, 2);
        EXPECT_EQ(Events(), Ev({"-4", "-102"}));

        Tracked *back[] = {l[0], l[1]};
        l.UnlinkByDataArray(back, 2);
        EXPECT_EQ(Ids(l), (std::vector<int>{100, -1, 101}));
        delete back[0];
        delete back[1];
        Events().clear();
    } // destruction: the last first, the null skipped
    EXPECT_EQ(Events(), Ev({"-101", "-100"}));
    EXPECT_EQ(LiveCount(), live);
}

#ifndef NDEBUG
TEST(ObjectListDeathTest, DeletingAnObjectAnotherSlotHoldsIsStopped)
{
    // Deleting it while a second slot still holds it would delete it twice.
    EXPECT_DEATH(
        {
            ObjectList<Tracked> l;
            Tracked *t = new Tracked(7);
            l.Add(t);
            l.Add(t);
            l.Delete(1);
        },
        "another slot");
}
#endif

TEST(ObjectList, SortsByObjectsOrBySlots)
{
    Tracked::Reset();
    ObjectList<Tracked> l;
    for (int id : {5, 1, 4, 2, 3})
        l.Add(new Tracked(id));
    // The inherited Sort works on the slots with its own comparison, never with the
    // object comparison the list keeps.
    l.List<Tracked *>::Sort(ObjectList<Tracked>::ItemCompare(nullptr, &ByIdSlot));
    EXPECT_EQ(Ids(l), (std::vector<int>{5, 4, 3, 2, 1}));
    l.Sort(ObjectList<Tracked>::ObjectCompare(nullptr, &ById));
    EXPECT_EQ(Ids(l), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_LT(l.Compare(l[0], l[1]), 0);
}

namespace
{
struct Rec
{
    int32_t v = 0;
};
bool WriteRec(hgl::Stream *s, Rec *const *r)
{
    return s->WriteFully(&(*r)->v, 4);
}
bool ReadRec(hgl::Stream *s, Rec **r)
{
    return s->ReadFully(&(*r)->v, 4);
}
} // namespace

TEST(ObjectList, StreamsOnlyThroughItemFunctions)
{
    ObjectList<Rec> l;
    l.Create()->v = 10;
    l.Create()->v = 20;
    hgl::MemStream s;
    EXPECT_FALSE(l.SaveToStream(&s, 0, 0));
    EXPECT_EQ(s.GetSize(), 0);
    l.WriteItem = &WriteRec;
    ASSERT_TRUE(l.SaveToStream(&s, 0, 0));
    // Objects not asked for cannot be read and dropped: a part of the stored list is refused.
    ObjectList<Rec> back;
    back.ReadItem = &ReadRec;
    s.Position = 0;
    EXPECT_FALSE(back.LoadFromStream(&s, 1));
    EXPECT_EQ(back.GetCount(), 0);
}

namespace
{
// Classes by the id's bits: bit i set -> class i.
struct Multi : hgl::ClasList<Tracked>
{
    Multi() : hgl::ClasList<Tracked>(3, true) {}
    bool IsClass(Tracked *t, int index) override { return (t->id >> index) & 1; }
    std::vector<int> Class(int i) const
    {
        std::vector<int> v;
        for (Tracked *t : *GetClassList(i))
            v.push_back(t->id);
        return v;
    }
};

struct Single : hgl::ClasList<Tracked>
{
    Single() : hgl::ClasList<Tracked>(2, false) {}
    int GetClass(Tracked *t) override { return t->id % 10; } // 2.. is out of range
};
} // namespace

TEST(ClasList, SingleClassWithAClassOutsideTheRange)
{
    {
        Single c;
        Tracked *a = new Tracked(1), *b = new Tracked(5); // class 5 of 2: in no class list
        c.Add(a), c.Add(b);
        EXPECT_EQ(c.GetClassList(1)->GetCount(), 1);
        EXPECT_EQ(c.GetClassList(0)->GetCount(), 0);
        EXPECT_EQ(c.GetClassList(5), nullptr);
        EXPECT_EQ(c.GetCount(), 2);
        c.Unlink(b);
        delete b;
        c.Delete(a);
        EXPECT_EQ(c.GetClassList(1)->GetCount(), 0);
        c.Add(new Tracked(11));
        hgl::ClasList<Tracked> base(2, false); // knows no class at all
        base.Add(new Tracked(12));
        EXPECT_EQ(base.GetCount(), 1);
    }
    EXPECT_EQ(LiveCount(), 0);
}
