#include "core/MathFunc.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace hgl;

TEST(MathFunc, AnglesAndRoots)
{
    // Atan2 takes y first and covers the full circle.
    EXPECT_NEAR(3 * std::numbers::pi / 4, Atan2(1, -1), 1e-15);
    EXPECT_NEAR(-std::numbers::pi / 2, Atan2(-1, 0), 1e-15);
    double s = 9, c = 9;
    SinCos(std::numbers::pi / 6, &s, &c);
    EXPECT_NEAR(0.5, s, 1e-15);
    EXPECT_NEAR(std::sqrt(3.0) / 2, c, 1e-15);
    EXPECT_NEAR(std::numbers::sqrt2, Sqrt(2.0), 1e-15);

    // With exceptions masked an invalid operation yields a NaN rather than a trap.
    InitFPU();
    volatile double minus_one = -1.0, zero = 0.0;
    EXPECT_TRUE(std::isnan(Sqrt(minus_one)));
    EXPECT_TRUE(std::isinf(1.0 / zero));
}
