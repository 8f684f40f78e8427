#include "core/Color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace hgl;

namespace
{
void ExpectColor(const Color4f &c, float r, float g, float b, float a)
{
    EXPECT_FLOAT_EQ(r, c.r);
    EXPECT_FLOAT_EQ(g, c.g);
    EXPECT_FLOAT_EQ(b, c.b);
    EXPECT_FLOAT_EQ(a, c.a);
}
} // namespace

TEST(Color, UseClampAndBlend)
{
    Color4f c;
    ExpectColor(c, 0, 0, 0, 1);
    c.Use(120, 0.5f);
    ExpectColor(c, 1, 0, 0, 0.5f);
    c.Use(1, 0.25f);
    EXPECT_EQ(240 * (1.0f / 255), c.r);
    EXPECT_EQ(248 * (1.0f / 255), c.g);
    EXPECT_EQ(1.0f, c.b);

    // A number outside the table gives black and keeps the alpha asked for.
    c.Use(148, 0.75f);
    ExpectColor(c, 0, 0, 0, 0.75f);
    c.Use(-1, 0.5f);
    ExpectColor(c, 0, 0, 0, 0.5f);
    Color3f c3(1, 1, 1);
    c3.Use(100000);
    EXPECT_EQ(Color3f(0, 0, 0), c3);

    Color4f k(-0.5f, 0.5f, 1.5f, 2);
    k.Clamp();
    ExpectColor(k, 0, 0.5f, 1, 1);
    Color3f m(-1, 0.25f, 7);
    m.Clamp();
    EXPECT_EQ(Color3f(0, 0.25f, 1), m);

    // To(target, t): t = 1 gives the target exactly, where c + (target - c) * 1 might
    // not; t outside 0..1 extrapolates.
    const struct
    {
        Color3f from, target;
        float t;
        Color3f expect;
    } blends[] = {
        {Color3f(0, 0, 0), Color3f(1, 1, 1), 0.25f, Color3f(0.25f, 0.25f, 0.25f)},
        {Color3f(0, 0, 0), Color3f(1, 1, 1), 0, Color3f(0, 0, 0)},
        {Color3f(0.1f, 0.7f, 0.3f), Color3f(0.3f, 1e-8f, 1e8f), 1, Color3f(0.3f, 1e-8f, 1e8f)},
        {Color3f(0.5f, 0.5f, 0.5f), Color3f(1, 1, 1), 2, Color3f(1.5f, 1.5f, 1.5f)},
        {Color3f(0.5f, 0.5f, 0.5f), Color3f(1, 0, 1), -1, Color3f(0, 1, 0)},
    };
    for (const auto &b : blends)
    {
        Color3f x = b.from;
        x.To(b.target.r, b.target.g, b.target.b, b.t);
        EXPECT_EQ(b.expect, x) << b.t;
    }

    static_assert(std::is_trivially_copyable_v<Color4f> && std::is_trivially_copyable_v<Color3f>);
}
