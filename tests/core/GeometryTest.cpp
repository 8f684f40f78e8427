#include "core/Limit.h"
#include "core/Point.h"
#include "core/RectScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

using namespace hgl;

TEST(RectScope, PointInIsHalfOpen)
{
    RectScope2<float> r(10, 20, 30, 40);
    const struct
    {
        float x, y;
        bool in;
    } points[] = {{10, 20, true},  {39.9f, 59.9f, true}, {40, 20, false},
                  {10, 60, false}, {9.9f, 30, false},    {20, 19.9f, false}};
    for (const auto &p : points)
        EXPECT_EQ(p.in, r.PointIn(p.x, p.y)) << p.x << "," << p.y;

    // Through the base, const or not; the base itself has no area.
    const ScopeBase2D<float> &base = r;
    EXPECT_TRUE(base.PointIn(11, 21));
    ScopeBase2D<float> &mutable_base = r;
    EXPECT_FALSE(mutable_base.PointIn(40, 21));
    EXPECT_FALSE(ScopeBase2D<float>().PointIn(0, 0));

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

    EXPECT_FALSE(RectScope2<float>(0, 0, 0, 10).PointIn(0, 0));
    EXPECT_FALSE(RectScope2<float>(0, 0, -5, 10).PointIn(-1, 0));
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
    s.Right += 5;
    EXPECT_EQ(11, s.Left);
    EXPECT_EQ(4, s.Width);

    // Lining one rectangle up with another: the value moves, each keeps its binding.
    s.Right = r.Right;
    s.Bottom = r.Bottom;
    EXPECT_EQ(96, s.Left);
    EXPECT_EQ(0, s.Top);
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

    // Rectangles moved around inside containers: see List.RectanglesAreCopiedAsObjects.
    static_assert(!std::is_trivially_copyable_v<RectScope2<float>>);
}
