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
    int value = 0, writes = 0;
    double scale = 1.5;
    int GetValue() const { return value; }
    void SetValue(int v) { value = v, ++writes; }
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
        value = o.value, writes = o.writes, scale = o.scale;
        return *this;
    }
};

template <typename P, typename V>
concept Assignable = requires(P &p, V v)
{
    p = v;
};
} // namespace

TEST(Property, ReadsAndWritesGoThroughTheOwner)
{
    Counter c;
    c.Value = 5;
    EXPECT_EQ(5, c.Value);
    EXPECT_EQ(1, c.Writes);
    // A compound update is one read and one write.
    c.Value += 3;
    c.Value -= 10;
    ++c.Value;
    EXPECT_EQ(-1, c.Value);
    EXPECT_EQ(4, c.Writes);
    c.Scale *= 2;
    EXPECT_DOUBLE_EQ(3.0, c.Scale);
    EXPECT_TRUE(c.Scale.CanWrite());
    EXPECT_FALSE(c.Writes.CanWrite());

    // Read-only properties cannot be assigned; properties cannot be copy-constructed
    // (their binding belongs to their owner), but one can be assigned another's value.
    static_assert(!Assignable<Property<const int>, int>);
    static_assert(!Assignable<Property<const int>, const Property<const int> &>);
    static_assert(Assignable<Property<int>, const Property<int> &>);
    static_assert(!std::is_copy_constructible_v<Property<int>>);
    static_assert(sizeof(Property<int>) == 3 * sizeof(void *));

    // Assigning a property copies the value (read b, write a), never the binding.
    Counter b;
    b.Value = 8;
    c.Value = b.Value;
    EXPECT_EQ(8, c.Value);
    EXPECT_EQ(5, c.Writes);
    EXPECT_EQ(1, b.Writes);
    b.Value = 9;
    EXPECT_EQ(8, c.Value);
    c.Value = c.Value;
    EXPECT_EQ(6, c.Writes);
    c.Scale = b.Value; // across types and from read-only properties, through the value
    EXPECT_DOUBLE_EQ(9.0, c.Scale);
    c.Value = b.Writes;
    EXPECT_EQ(2, c.Value);
}

TEST(Property, UnboundPropertiesDoNothingHarmful)
{
    Property<int> unbound;
    EXPECT_FALSE(unbound.CanRead());
    EXPECT_FALSE(unbound.CanWrite());
#ifdef NDEBUG
    EXPECT_EQ(0, unbound.Get());
    unbound = 5; // ignored
    EXPECT_EQ(0, int(unbound));
    OnlyReadProperty<unsigned int> view;
    EXPECT_EQ(0u, view.Get());
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH((void)unbound.Get(), "unbound property");
    EXPECT_DEATH(unbound = 5, "without setter");
#endif
}
