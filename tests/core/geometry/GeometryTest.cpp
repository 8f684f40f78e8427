#include "core/Limit.h"
#include "core/Point.h"
#include "core/RectScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace hgl;

TEST(RectScope, PointInIsHalfOpen)
{
    RectScope2<float> r(10, 20, 30, 40);
    EXPECT_TRUE(r.PointIn(10, 20));
    EXPECT_TRUE(r.PointIn(39.9f, 59.9f));
    EXPECT_FALSE(r.PointIn(40, 20));
    EXPECT_FALSE(r.PointIn(10, 60));
    EXPECT_FALSE(r.PointIn(9.9f, 30));
    EXPECT_FALSE(r.PointIn(20, 19.9f));

    // Through the base, which itself has no area.
    const ScopeBase2D<float> &base = r;
    EXPECT_TRUE(base.PointIn(11, 21));
    ScopeBase2D<float> none;
    EXPECT_FALSE(none.PointIn(0, 0));
    ScopeBase2D<float> &mutable_base = r;
    EXPECT_TRUE(mutable_base.PointIn(11, 21));
    EXPECT_FALSE(mutable_base.PointIn(40, 21));

    // An area of its own may override either form of the question.
    struct Everywhere : ScopeBase2D<float>
    {
        bool PointIn(float, float) override { return true; }
    } everywhere;
    struct Origin : ScopeBase2D<float>
    {
        bool PointIn(float x, float y) const override { return x == 0 && y == 0; }
    } origin;
    ScopeBase2D<float> *areas[] = {&everywhere, &origin};
    EXPECT_TRUE(areas[0]->PointIn(5, 5));
    EXPECT_FALSE(areas[1]->PointIn(5, 5));
    EXPECT_TRUE(areas[1]->PointIn(0, 0));

    RectScope2<float> empty(0, 0, 0, 10), negative(0, 0, -5, 10);
    EXPECT_FALSE(empty.PointIn(0, 0));
    EXPECT_FALSE(negative.PointIn(0, 0));
    EXPECT_FALSE(negative.PointIn(-1, 0));

    RectScope2<float> d;
    EXPECT_EQ(RectScope2<float>(0, 0, 0, 0), d);
    d.Set(1, 2, 3, 4);
    EXPECT_EQ(RectScope2<float>(1, 2, 3, 4), d);
}

TEST(RectScope, RightAndBottomMoveTheRectangle)
{
    RectScope2<float> r(10, 20, 30, 40);
    EXPECT_EQ(40, r.Right);
    EXPECT_EQ(60, r.Bottom);
    r.Right = 100;
    EXPECT_EQ(70, r.Left);
    EXPECT_EQ(30, r.Width);
    r.Bottom = 0;
    EXPECT_EQ(-40, r.Top);
    EXPECT_EQ(40, r.Height);

    RectScope2<float> s;
    s.Width = 4;
    s.Right = 10;
    EXPECT_EQ(6, s.Left);
    EXPECT_EQ(4, s.Width);
    EXPECT_EQ(10, s.Right);

    s.Right += 5;
    EXPECT_EQ(11, s.Left);

    // Lining one rectangle up with another: the value moves, each keeps its binding.
    s.Right = r.Right;
    s.Bottom = r.Bottom;
    EXPECT_EQ(96, s.Left);
    EXPECT_EQ(0, s.Top);
    EXPECT_EQ(100, s.Right);
    r.Right = 50;
    EXPECT_EQ(100, s.Right);
    EXPECT_EQ(50, r.Right);
}

TEST(RectScope, CopiesAreBoundToThemselves)
{
    auto source = std::make_unique<RectScope2<float>>(1, 2, 3, 4);
    RectScope2<float> copy(*source);
    RectScope2<float> assigned;
    assigned = *source;
    source->Left = 100;
    EXPECT_EQ(4, copy.Right);
    EXPECT_EQ(4, assigned.Right);
    source.reset();

    copy.Right = 10;
    EXPECT_EQ(7, copy.Left);
    EXPECT_EQ(6, copy.Bottom);
    assigned.Bottom = 0;
    EXPECT_EQ(-4, assigned.Top);

    // Rectangles in a growing vector (moved and copied many times) stay self-bound.
    std::vector<RectScope2<float>> v;
    for (int i = 0; i < 100; ++i)
        v.emplace_back(float(i), float(2 * i), 10.0f, 20.0f);
    for (int i = 0; i < 100; ++i)
    {
        EXPECT_EQ(float(i + 10), v[size_t(i)].Right);
        EXPECT_EQ(float(2 * i + 20), v[size_t(i)].Bottom);
    }
    v[50].Right = 0;
    EXPECT_EQ(-10, v[50].Left);
    EXPECT_EQ(49, v[49].Left);
    EXPECT_FALSE(std::is_trivially_copyable_v<RectScope2<float>>);
}

TEST(Point, RotateAboutACentre)
{
    Point2f p(1, 0);
    p.Rotate(0, 0, 90);
    EXPECT_NEAR(0, p.x, 1e-6);
    EXPECT_NEAR(1, p.y, 1e-6);

    Point2f q(3.25f, -7.5f);
    q.Rotate(3.25, -7.5, 123.4);
    EXPECT_EQ(Point2f(3.25f, -7.5f), q);

    Point2f r(2, 1);
    r.Rotate(1, 1, 180);
    EXPECT_NEAR(0, r.x, 1e-6);
    EXPECT_NEAR(1, r.y, 1e-6);

    Point2f s(5, 5);
    s.Rotate(4, 5, -90);   // anticlockwise on screen: from right of centre to above it
    EXPECT_NEAR(4, s.x, 1e-6);
    EXPECT_NEAR(4, s.y, 1e-6);

    Point2f full(0.3f, 0.7f);
    full.Rotate(0, 0, 360);
    EXPECT_NEAR(0.3f, full.x, 1e-6);
    EXPECT_NEAR(0.7f, full.y, 1e-6);

    EXPECT_EQ(Point2f(0, 0), Point2f());
}

TEST(Limit, BoundsPullTheValueButNeverReorder)
{
    Limit<float> l(5, 2);
    EXPECT_EQ(2, l.Min);
    EXPECT_EQ(5, l.Max);
    EXPECT_EQ(2, l.value);
    EXPECT_TRUE(l.AtMin);
    EXPECT_FALSE(l.AtMax);

    l.Min = 3;
    EXPECT_EQ(3, l.value);
    l.Max = 1;
    EXPECT_EQ(1, l.value);
    EXPECT_EQ(3, l.Min);
    EXPECT_EQ(1, l.Max);
    EXPECT_TRUE(l.AtMax);
    EXPECT_FALSE(l.AtMin);

    Limit<float> o(2, 5);
    EXPECT_EQ(2, o.min);
    EXPECT_EQ(5, o.max);
    o.value = 4;
    o.Min = 1;   // value already above: unchanged
    EXPECT_EQ(4, o.value);
    o.Max = 10;
    EXPECT_EQ(4, o.value);
    o.value = 10;
    EXPECT_TRUE(o.AtMax);

    // Bounds taken from another limit's properties.
    Limit<float> other(0, 100);
    other.Min = o.Max;
    EXPECT_EQ(10, other.Min);
    EXPECT_EQ(10, other.value);
    EXPECT_EQ(10, o.Max);

    Limit<float> same(3, 3);
    EXPECT_TRUE(same.AtMin);
    EXPECT_TRUE(same.AtMax);

    Limit<float> copy(o);
    o.Max = 0;
    EXPECT_EQ(10, copy.value);
    EXPECT_EQ(10, copy.Max);
    copy.Max = 6;
    EXPECT_EQ(6, copy.value);
    EXPECT_EQ(0, o.value);
}
