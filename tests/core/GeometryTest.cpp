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
