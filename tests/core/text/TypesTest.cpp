#include "core/Types.h"
#include <gtest/gtest.h>

TEST(Types, TextUnitIsSixteenBits)
{
    static_assert(sizeof(hgl::u16char) == 2);
    const hgl::u16char *s = u"中文";
    EXPECT_EQ(s[0], 0x4E2D);
    EXPECT_EQ(s[1], 0x6587);
}
