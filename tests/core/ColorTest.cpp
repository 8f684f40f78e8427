// Colours from the named table.
#include "core/Color.h"

#include <gtest/gtest.h>

using namespace hgl;

TEST(Color, RowsOutsideTheTableGiveBlack)
{
    Color3f c;
    c.Use(NamedColorCount - 1); // the last row: yellowgreen
    EXPECT_NEAR(c.r, 154 / 255.0f, 1e-6);
    EXPECT_NEAR(c.g, 205 / 255.0f, 1e-6);
    EXPECT_NEAR(c.b, 50 / 255.0f, 1e-6);
    for (int number : {NamedColorCount, NamedColorCount + 1, -1, -1000})
    {
        c.Use(NamedColorCount - 1);
        c.Use(number);
        EXPECT_EQ(c, Color3f(0, 0, 0)) << number;

        Color4f c4(1, 1, 1, 1);
        c4.Use(number, 0.5f);
        EXPECT_EQ(c4, Color4f(0, 0, 0, 0.5f)) << number;
    }
}
