#pragma once
// Shared set-up of the drawing tests: a headless canvas cleared to black.
#include "support/GLTestContext.h"

#include "graphics/draw/Painter.h"

#include <gtest/gtest.h>

namespace hgl::test
{
constexpr RGBA Black{0, 0, 0, 255};
constexpr RGBA Red{255, 0, 0, 255};
constexpr RGBA Green{0, 255, 0, 255};
constexpr RGBA Blue{0, 0, 255, 255};
constexpr RGBA White{255, 255, 255, 255};

class DrawTest : public ::testing::Test
{
  protected:
    GLTestContext gl{64, 48};

    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        Clear();
    }

    void Clear()
    {
        draw::NoTexture();
        draw::Clear(Color4f(0, 0, 0, 1));
    }

    // Whether any pixel of the rectangle is brighter than the clear colour.
    bool Ink(int left, int top, int width, int height)
    {
        for (int y = top; y < top + height; y++)
            for (int x = left; x < left + width; x++)
            {
                const RGBA p = gl.ReadPixel(x, y);
                if (p.r > 64 || p.g > 64 || p.b > 64) return true;
            }
        return false;
    }
};
} // namespace hgl::test
