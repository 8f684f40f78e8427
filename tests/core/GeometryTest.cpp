#include "core/Limit.h"
#include "core/Point.h"
#include "core/RectScope.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

using namespace hgl;

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

TEST(RectScope, PointInCountsTheLeftAndTopEdgesOnly)
{
    const RectScope2<int> r(10, 20, 30, 40); // x 10..39, y 20..59
    const ScopeBase2D<int> &area = r;        // as a caller holding any area asks
    const struct
    {
        int x, y;
        bool in;
    } cases[] = {
        {10, 20, true},  {39, 59, true}, {40, 20, false}, {10, 60, false},
        {40, 60, false}, {9, 20, false}, {10, 19, false}, {25, 40, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(area.PointIn(c.x, c.y), c.in) << c.x << "," << c.y;

    RectScope2<float> f(0.5f, 0.5f, 2, 1);
    EXPECT_TRUE(f.PointIn(0.5f, 0.5f));
    EXPECT_FALSE(f.PointIn(2.5f, 1));
    EXPECT_FALSE(f.PointIn(1, 1.5f));
}
