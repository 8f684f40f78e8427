// Textures drawn on the headless canvas and read back pixel by pixel.
#include "graphics/PictureTestUtil.h"
#include "graphics/draw/DrawTestUtil.h"
#include "graphics/texture/PictureFile.h"
#include "graphics/texture/Texture.h"
#include "graphics/vertex/DrawArray.h"
#include "support/LogCapture.h"

#include <GL/glew.h>

using namespace hgl;
using namespace hgl::test;

namespace
{
// Three 4-pixel bands across: red, green, blue.
ImageBlock Bands()
{
    return MakeImage(12, 4,
                     [](int x, int)
                     {
                         return x < 4   ? std::vector<uint8>{255, 0, 0, 255}
                                : x < 8 ? std::vector<uint8>{0, 255, 0, 255}
                                        : std::vector<uint8>{0, 0, 255, 255};
                     });
}

// Four 8 x 8 quadrants: red top-left, green top-right, blue bottom-right, white bottom-left.
ImageBlock Quadrants()
{
    return MakeImage(
        16, 16,
        [](int x, int y)
        {
            if (y < 8) return x < 8 ? std::vector<uint8>{255, 0, 0, 255} : std::vector<uint8>{0, 255, 0, 255};
            return x < 8 ? std::vector<uint8>{255, 255, 255, 255} : std::vector<uint8>{0, 0, 255, 255};
        });
}

class TextureTest : public DrawTest
{
  protected:
    void TearDown() override { Texture2D::SetNonPowerOfTwo(-1); }
};
} // namespace

TEST_F(TextureTest, DrawAndRegionAndScaleZero)
{
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Bands(), 0, false));
    EXPECT_EQ(tex.Width, 12);
    tex.Draw(10, 10);
    EXPECT_EQ(gl.ReadPixel(11, 11), Red);
    EXPECT_EQ(gl.ReadPixel(15, 13), Green);
    EXPECT_EQ(gl.ReadPixel(20, 11), Blue);
    EXPECT_EQ(gl.ReadPixel(22, 11), Black);

    Clear();
    tex.DrawRegion(0, 20, 0.5f, 0, 0.5f, 1, 2, 2); // the right half, twice as large
    EXPECT_EQ(gl.ReadPixel(1, 21), Green);
    EXPECT_EQ(gl.ReadPixel(10, 27), Blue);
    EXPECT_EQ(gl.ReadPixel(13, 21), Black);

    Clear();
    tex.Draw(0, 0, 0, 1);
    tex.DrawRegion(0, 0, 0, 0, 1, 1, 1, 0);
    EXPECT_FALSE(Ink(0, 0, 16, 8));
}

TEST_F(TextureTest, QuadCornersFollowTheVertices)
{
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Quadrants(), 0, false));
    // A quarter turn clockwise: the picture's top-left lands at the top-right.
    const Point2f turned[4] = {{40, 8}, {40, 40}, {8, 40}, {8, 8}};
    tex.ApplyDrawQuad(turned);
    EXPECT_EQ(gl.ReadPixel(36, 12), Red);
    EXPECT_EQ(gl.ReadPixel(36, 36), Green);
    EXPECT_EQ(gl.ReadPixel(12, 36), Blue);
    EXPECT_EQ(gl.ReadPixel(12, 12), White);

    Clear();
    const Point2f upright[4] = {{0, 0}, {32, 0}, {32, 32}, {0, 32}};
    const Point2f right_half[4] = {{0.5f, 0}, {1, 0}, {1, 1}, {0.5f, 1}};
    tex.DrawQuad(upright, right_half);
    EXPECT_EQ(gl.ReadPixel(4, 4), Green);
    EXPECT_EQ(gl.ReadPixel(4, 28), Blue);
}

TEST_F(TextureTest, PaddedWhenTheDriverLacksOddSizes)
{
    Texture2D::SetNonPowerOfTwo(0);
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Bands(), 0, false));
    EXPECT_EQ(tex.GetStorageWidth(), 16);
    EXPECT_EQ(tex.GetStorageHeight(), 4);
    tex.Draw(0, 0);
    EXPECT_EQ(gl.ReadPixel(1, 1), Red);
    EXPECT_EQ(gl.ReadPixel(5, 1), Green);
    EXPECT_EQ(gl.ReadPixel(11, 1), Blue);
    EXPECT_EQ(gl.ReadPixel(12, 1), Black);
}

TEST_F(TextureTest, InternalFormatsAndAlpha)
{
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Bands(), GL_RGB5_A1, true));
    EXPECT_EQ(tex.GetInternalFormat(), unsigned(GL_RGB5_A1));
    tex.Color.a = 0.5f;
    tex.Draw(0, 0);
    const RGBA half = gl.ReadPixel(1, 1);
    EXPECT_NEAR(half.r, 128, 2);
    EXPECT_EQ(half.g, 0);

    LogCapture log;
    ImageBlock picture = Bands();
    picture.format = 0x1234; // not a format at all
    ASSERT_TRUE(tex.Load(picture, 0, false));
    EXPECT_EQ(tex.GetInternalFormat(), unsigned(GL_RGBA8));
    EXPECT_TRUE(log.ContainsPart(u"0x1234")) << log.Dump();

    ImageBlock broken = Bands();
    broken.pixels.pop_back();
    EXPECT_FALSE(Texture2D().Load(broken, 0, false));
}

TEST_F(TextureTest, DrawArrayInBuffersAndInMemory)
{
    for (bool vbo : {true, false})
    {
        Clear();
        DrawArray::SetUseVBO(vbo ? 1 : 0);
        DrawArray quads(GL_STREAM_DRAW, GL_QUADS, 8, DrawArray::HasVertex | DrawArray::HasColor);
        ASSERT_TRUE(quads.Begin(GL_WRITE_ONLY));
        const float at[2] = {4, 30};
        for (int q = 0; q < 2; q++)
        {
            const float p[4][2] = {{at[q], 4}, {at[q] + 10, 4}, {at[q] + 10, 14}, {at[q], 14}};
            for (int v = 0; v < 4; v++)
            {
                quads.SetVertex(q * 4 + v, p[v][0], p[v][1]);
                quads.SetColor(q * 4 + v, q ? Color4f(0, 0, 1, 1) : Color4f(1, 0, 0, 1));
            }
        }
        quads.End();
        quads.Draw(4, 0);
        EXPECT_EQ(gl.ReadPixel(8, 8), Black) << vbo;
        EXPECT_EQ(gl.ReadPixel(34, 8), Blue) << vbo;
        quads.Draw();
        EXPECT_EQ(gl.ReadPixel(8, 8), Red) << vbo;
    }
    DrawArray::SetUseVBO(-1);
}
