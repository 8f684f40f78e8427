#include "core/Property.h"
#include "core/String.h"

#include <gtest/gtest.h>

#include <memory>

using namespace hgl;

namespace
{
// An owner in the engine's style: fields, properties bound in InitPrivate, and a copy
// constructor and assignment that copy fields only.
class Counter
{
    int value = 0;
    int writes = 0;
    double scale = 1.5;

    int GetValue() const { return value; }
    void SetValue(int v)
    {
        value = v;
        ++writes;
    }
    int GetWrites() const { return writes; }
    double GetScale() const { return scale; }
    void SetScale(const double &s) { scale = s; }

    void InitPrivate()
    {
        Value.Bind<&Counter::GetValue, &Counter::SetValue>(this);
        Writes.Bind<&Counter::GetWrites>(this);
        Scale.Bind<&Counter::GetScale, &Counter::SetScale>(this);
    }

public:
    Property<int> Value;
    Property<const int> Writes;
    Property<double> Scale;

    Counter() { InitPrivate(); }
    Counter(const Counter &o) : value(o.value), writes(o.writes), scale(o.scale) { InitPrivate(); }
    Counter &operator=(const Counter &o)
    {
        value = o.value;
        writes = o.writes;
        scale = o.scale;
        return *this;
    }
};

struct Widget
{
    int id = 7;
    int Id() const { return id; }
};

class Holder
{
    Widget *current = nullptr;
    Widget *Get() const { return current; }
    void Set(Widget *w) { current = w; }

public:
    PropertyObject<Widget> Current;
    Holder() { Current.Bind<&Holder::Get, &Holder::Set>(this); }
};

template<typename P, typename V>
concept Assignable = requires(P &p, V v) { p = v; };
} // namespace

TEST(Property, ReadsAndWritesGoThroughTheOwner)
{
    Counter c;
    EXPECT_EQ(0, c.Value);
    c.Value = 5;
    EXPECT_EQ(5, c.Value);
    EXPECT_EQ(1, c.Writes);

    // A compound update is one read and one write.
    c.Value += 3;
    EXPECT_EQ(8, c.Value);
    EXPECT_EQ(2, c.Writes);
    c.Value -= 10;
    ++c.Value;
    EXPECT_EQ(-1, c.Value);
    EXPECT_EQ(4, c.Writes);

    c.Scale *= 2;
    EXPECT_DOUBLE_EQ(3.0, c.Scale);
    EXPECT_TRUE(c.Scale.CanWrite());
    EXPECT_FALSE(c.Writes.CanWrite());
    EXPECT_TRUE(c.Writes.CanRead());

    // Read-only properties cannot be assigned; properties cannot be copy-constructed
    // (their binding belongs to their owner), but one can be assigned another's value.
    static_assert(!Assignable<Property<const int>, int>);
    static_assert(!Assignable<Property<const int>, const Property<const int> &>);
    static_assert(Assignable<Property<int>, int>);
    static_assert(Assignable<Property<int>, const Property<int> &>);
    static_assert(!std::is_copy_constructible_v<Property<int>>);
    static_assert(sizeof(Property<int>) == 3 * sizeof(void *));
}

TEST(Property, ACopiedOwnerReportsItsOwnState)
{
    auto source = std::make_unique<Counter>();
    source->Value = 10;

    Counter copy(*source);
    EXPECT_EQ(10, copy.Value);
    source->Value = 20;
    EXPECT_EQ(10, copy.Value);
    copy.Value = 30;
    EXPECT_EQ(20, source->Value);

    // Still bound to itself after the source is gone (ASan would see a stale binding).
    source.reset();
    EXPECT_EQ(30, copy.Value);

    Counter assigned;
    assigned = copy;
    copy.Value = 1;
    EXPECT_EQ(30, assigned.Value);
}

TEST(Property, AssigningAPropertyCopiesTheValueNotTheBinding)
{
    Counter a, b;
    a.Value = 3;
    b.Value = 8;
    a.Value = b.Value;   // read b, write a
    EXPECT_EQ(8, a.Value);
    EXPECT_EQ(2, a.Writes);
    EXPECT_EQ(1, b.Writes);
    b.Value = 9;   // a stays bound to itself
    EXPECT_EQ(8, a.Value);
    a.Value = a.Value;
    EXPECT_EQ(8, a.Value);
    EXPECT_EQ(3, a.Writes);

    // Across types and from read-only properties, through the value.
    a.Scale = b.Value;
    EXPECT_DOUBLE_EQ(9.0, a.Scale);
    a.Value = b.Writes;
    EXPECT_EQ(2, a.Value);
    (a.Value = b.Value) = 11;
    EXPECT_EQ(11, a.Value);
    EXPECT_EQ(9, b.Value);
}

TEST(Property, ObjectPropertyAndReadOnlyView)
{
    Holder h;
    EXPECT_EQ(nullptr, static_cast<Widget *>(h.Current));
    Widget w;
    h.Current = &w;
    EXPECT_EQ(&w, h.Current.Get());
    EXPECT_EQ(7, h.Current->Id());
    w.id = 9;
    EXPECT_EQ(9, (*h.Current).id);
    Holder other;
    other.Current = h.Current;
    EXPECT_EQ(&w, other.Current.Get());
    h.Current = nullptr;
    EXPECT_EQ(&w, other.Current.Get());

    unsigned int field = 3;
    OnlyReadProperty<unsigned int> view(&field);
    EXPECT_EQ(3u, view);
    field = 44;
    EXPECT_EQ(44u, view.Get());
    static_assert(!Assignable<OnlyReadProperty<unsigned int>, unsigned int>);
}

TEST(Property, RawThunkBinding)
{
    struct Box
    {
        float v = 0;
    } box;
    Property<float> p;
    p.Bind(
        &box, [](void *o) { return static_cast<Box *>(o)->v * 2; },
        [](void *o, float v) { static_cast<Box *>(o)->v = v; });
    p = 4;
    EXPECT_FLOAT_EQ(4, box.v);
    EXPECT_FLOAT_EQ(8, p);
}

TEST(Property, UnboundPropertiesDoNothingHarmful)
{
    Property<int> unbound;
    EXPECT_FALSE(unbound.CanRead());
    EXPECT_FALSE(unbound.CanWrite());
#ifdef NDEBUG
    EXPECT_EQ(0, unbound.Get());
    unbound = 5;   // ignored
    EXPECT_EQ(0, int(unbound));
    Property<double> d;
    EXPECT_EQ(0.0, double(d));
    OnlyReadProperty<unsigned int> view;
    EXPECT_EQ(0u, view.Get());
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH((void)unbound.Get(), "unbound property");
    EXPECT_DEATH(unbound = 5, "without setter");
#endif
}

namespace
{
class Caption
{
    String text;
    int changes = 0;
    void Changed() { ++changes; }

public:
    PropertyString Text;
    Caption()
    {
        Text.SetTarget(&text);
        Text.BindChangeNotice<&Caption::Changed>(this);
    }
    const String &Get() const { return text; }
    int Changes() const { return changes; }
};
} // namespace

TEST(Property, StringPropertyForwardsAndNotifies)
{
    Caption c;
    EXPECT_EQ(0, c.Text.Length);
    c.Text = u"hello";
    EXPECT_EQ(5, c.Text.Length);
    EXPECT_TRUE(c.Get() == u"hello");
    EXPECT_EQ(1, c.Changes());
    c.Text = String(u"abc");
    EXPECT_EQ(3, c.Text.Length);
    EXPECT_EQ(2, c.Changes());
    c.Text = u"";
    EXPECT_EQ(0, c.Text.Length);
    EXPECT_EQ(3, c.Changes());

    // Without a target a write changes no String but still runs the notice.
    PropertyString loose;
    int notices = 0;
    loose.SetChangeNotice(BoundMethod<void()>(&notices, [](void *n) { ++*static_cast<int *>(n); }));
    loose = u"ignored";
    loose = String(u"also ignored");
    EXPECT_EQ(2, notices);
    EXPECT_EQ(0, loose.Length);
    EXPECT_EQ(nullptr, loose.GetTarget());

    // One string property assigned from another takes its text; without a source
    // target the text is empty.
    Caption other;
    other.Text = u"copied";
    c.Text = other.Text;
    EXPECT_TRUE(c.Get() == u"copied");
    EXPECT_EQ(4, c.Changes());
    EXPECT_EQ(1, other.Changes());
    other.Text = u"later";
    EXPECT_TRUE(c.Get() == u"copied");
    c.Text = c.Text;
    EXPECT_TRUE(c.Get() == u"copied");
    c.Text = loose;
    EXPECT_EQ(0, c.Text.Length);
    loose = other.Text;
    EXPECT_EQ(3, notices);

    // Neither target nor notice: the write is simply accepted.
    PropertyString bare;
    bare = u"x";
    EXPECT_EQ(0, bare.Length);
}

namespace
{
struct Padding
{
    virtual ~Padding() = default;
    double pad[3] = {1, 2, 3};
};

// Methods of a base that does not sit at the start of the owner.
struct Level
{
    int level = 4;
    int GetLevel() const { return level; }
    void SetLevel(int v) { level = v; }
    int Twice(int v) { return v * 2 + level; }
};

struct Gauge : Padding, Level
{
    Property<int> LevelProp;
    BoundMethod<int(int)> Calc;
    Gauge()
    {
        LevelProp.Bind<&Level::GetLevel, &Level::SetLevel>(this);
        Calc.Bind<&Level::Twice>(this);
    }
};
} // namespace

TEST(Property, BindsMethodsOfABaseAtAnOffset)
{
    Gauge g;
    ASSERT_NE(static_cast<void *>(&g), static_cast<void *>(static_cast<Level *>(&g)));
    EXPECT_EQ(4, g.LevelProp);
    g.LevelProp = 9;
    EXPECT_EQ(9, g.level);
    EXPECT_EQ(1.0, g.pad[0]);
    EXPECT_EQ(29, g.Calc(10));

    // Bound methods compare by object and method.
    BoundMethod<int(int)> same;
    same.Bind<&Level::Twice>(&g);
    EXPECT_TRUE(same == g.Calc);
    same.Unbind();
    EXPECT_FALSE(same.IsBound());
}

TEST(Property, StringLengthFollowsItsOwnString)
{
    String s;
    const auto &length = s.Length;
    EXPECT_EQ(0, int(length));
    s = u"hello";
    EXPECT_EQ(5, int(length));

    auto source = std::make_unique<String>(u"abc");
    String copy(*source);
    *source = u"changed text";
    EXPECT_EQ(3, int(copy.Length));
    source.reset();
    EXPECT_EQ(3, int(copy.Length));
}
