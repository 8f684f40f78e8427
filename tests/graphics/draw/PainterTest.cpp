// The draw queue: batches give the pixels the GL's own immediate drawing gave,
// consecutive draws of one state are one draw call, and a frame like the last one
// is neither drawn nor shown.
#include "graphics/PictureTestUtil.h"
#include "graphics/draw/DrawTestUtil.h"
#include "graphics/draw/Painter.h"
#include "graphics/font/TileAtlas.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/RenderState.h"
#include "graphics/texture/Texture.h"

#include <GL/glew.h>

#include <cmath>
#include <functional>

using namespace hgl;
using namespace hgl::test;

namespace
{
ImageBlock Solid(uint8 r, uint8 g, uint8 b, uint8 a = 255)
{
    return MakeImage(8, 8, [=](int, int) { return std::vector<uint8>{r, g, b, a}; });
}

// A picture with something in every channel, so that every blend mode shows.
ImageBlock Pattern()
{
    return MakeImage(
        16, 16,
        [](int x, int y) {
            return std::vector<uint8>{uint8(x * 16), uint8(y * 16), uint8(255 - x * 8), uint8(64 + y * 12)};
        });
}

class PainterTest : public DrawTest
{
  protected:
    Texture2D pattern;

    void SetUp() override
    {
        DrawTest::SetUp();
        ASSERT_TRUE(pattern.Load(Pattern(), 0, false));
        draw::EndFrame(gl.Window().TakeRefresh()); // the set-up's own frame
    }
    void TearDown() override
    {
        draw::SetBlend(BlendMode::Normal);
        draw::SetLineWidth(1);
        draw::EndFrame(false);
    }

    // A background of colours under every draw, through the queue.
    void Backdrop()
    {
        draw::SetBlend(BlendMode::Opaque);
        const float a[4] = {1, 1, 1, 1};
        draw::NoTexture();
        draw::FillRect(0, 0, 32, 48, Color4f(0.2f, 0.6f, 0.9f, 1), a);
        draw::FillRect(32, 0, 32, 48, Color4f(0.9f, 0.3f, 0.1f, 1), a);
    }

    // One frame through the application's order: clear, draw, end, show when drawn.
    bool Frame(const std::function<void()> &body)
    {
        draw::Clear(Color4f(0, 0, 0, 1));
        body();
        const bool shown = draw::EndFrame(gl.Window().TakeRefresh());
        if (shown) gl.Window().EndFrame();
        return shown;
    }
};

// The same drawing as the GL's immediate mode drew it before the queue existed.
void ImmediateQuad(const float corner[4][2], const Color4f &c, const float alpha[4])
{
    UnbindAllTextures();
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i)
    {
        glColor4f(c.r, c.g, c.b, alpha[i]);
        glVertex2f(corner[i][0], corner[i][1]);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
}

struct Scene
{
    const char *name;
    std::function<void(Texture2D &)> immediate;
    std::function<void(Texture2D &)> queued;
};

const float kCorner[4][2] = {{6, 4}, {58, 8}, {50, 44}, {3, 40}};
const float kAlpha[4] = {1, 0.6f, 0.1f, 0.35f};
const Color4f kTint(0.8f, 0.5f, 0.25f, 0.7f);

const Scene kScenes[] = {
    {"corner alphas", [](Texture2D &) { ImmediateQuad(kCorner, kTint, kAlpha); },
     [](Texture2D &)
     {
         const Point2f c[4] = {{6, 4}, {58, 8}, {50, 44}, {3, 40}};
         Color4f col[4];
         for (int i = 0; i < 4; i++)
             col[i] = Color4f(kTint.r, kTint.g, kTint.b, kAlpha[i]);
         draw::NoTexture();
         draw::Quad(c, nullptr, col);
     }},
    {"fan",
     [](Texture2D &)
     {
         UnbindAllTextures();
         glColor4f(kTint.r, kTint.g, kTint.b, kTint.a);
         glBegin(GL_TRIANGLE_FAN);
         glVertex2f(30, 24);
         for (int d = 0; d <= 300; d += 7)
             glVertex2d(30 + 20 * std::cos(d * 0.0174), 24 - 20 * std::sin(d * 0.0174));
         glEnd();
         glColor4f(1, 1, 1, 1);
     },
     [](Texture2D &)
     {
         std::vector<draw::Vertex> v{{30, 24, 0, 0, kTint.r, kTint.g, kTint.b, kTint.a}};
         for (int d = 0; d <= 300; d += 7)
             v.push_back({float(30 + 20 * std::cos(d * 0.0174)), float(24 - 20 * std::sin(d * 0.0174)), 0, 0,
                          kTint.r, kTint.g, kTint.b, kTint.a});
         draw::NoTexture();
         draw::Shapes(draw::Shape::Fan, v.data(), int(v.size()), false);
     }},
    {"strip",
     [](Texture2D &)
     {
         UnbindAllTextures();
         glBegin(GL_TRIANGLE_STRIP);
         for (int i = 0; i < 8; i++)
         {
             glColor4f(0.1f * i, 1 - 0.1f * i, 0.5f, 0.3f + 0.08f * i);
             glVertex2f(4 + 8 * i, i % 2 ? 40 : 6);
         }
         glEnd();
         glColor4f(1, 1, 1, 1);
     },
     [](Texture2D &)
     {
         std::vector<draw::Vertex> v;
         for (int i = 0; i < 8; i++)
             v.push_back(
                 {4 + 8.0f * i, i % 2 ? 40.0f : 6.0f, 0, 0, 0.1f * i, 1 - 0.1f * i, 0.5f, 0.3f + 0.08f * i});
         draw::NoTexture();
         draw::Shapes(draw::Shape::Strip, v.data(), int(v.size()), false);
     }},
    {"texture",
     [](Texture2D &t)
     {
         glColor4f(kTint.r, kTint.g, kTint.b, kTint.a);
         glEnable(GL_TEXTURE_2D);
         glBindTexture(GL_TEXTURE_2D, t.GetID());
         glBegin(GL_QUADS);
         const float uv[4][2] = {{0.1f, 0}, {0.9f, 0}, {0.9f, 1}, {0.1f, 1}};
         for (int i = 0; i < 4; i++)
         {
             glTexCoord2f(uv[i][0], uv[i][1]);
             glVertex2f(kCorner[i][0], kCorner[i][1]);
         }
         glEnd();
         glDisable(GL_TEXTURE_2D);
         glColor4f(1, 1, 1, 1);
     },
     [](Texture2D &t)
     {
         draw::SetTexture(t.GetID(), t.GetVersion());
         const Point2f c[4] = {{6, 4}, {58, 8}, {50, 44}, {3, 40}};
         const Point2f uv[4] = {{0.1f, 0}, {0.9f, 0}, {0.9f, 1}, {0.1f, 1}};
         const Color4f col[4] = {kTint, kTint, kTint, kTint};
         draw::Quad(c, uv, col);
     }},
    {"wide lines",
     [](Texture2D &)
     {
         UnbindAllTextures();
         glLineWidth(3);
         glColor4f(kTint.r, kTint.g, kTint.b, kTint.a);
         glBegin(GL_LINE_STRIP);
         for (const auto &c : kCorner)
             glVertex2f(c[0], c[1]);
         glVertex2f(kCorner[0][0], kCorner[0][1]);
         glEnd();
         glColor4f(1, 1, 1, 1);
         glLineWidth(1);
         ResetRenderState();
     },
     [](Texture2D &)
     {
         std::vector<draw::Vertex> v;
         for (int i = 0; i <= 4; i++)
             v.push_back({kCorner[i % 4][0], kCorner[i % 4][1], 0, 0, kTint.r, kTint.g, kTint.b, kTint.a});
         draw::NoTexture();
         draw::SetLineWidth(3);
         draw::Shapes(draw::Shape::LineStrip, v.data(), int(v.size()), false);
         draw::SetLineWidth(1);
     }},
};
} // namespace

TEST_F(PainterTest, BatchesDrawWhatImmediateDrawingDrewInEveryBlendMode)
{
    for (const Scene &scene : kScenes)
        for (int mode = BlendMode::Normal; mode <= BlendMode::Invert; mode++)
        {
            SCOPED_TRACE(std::string(scene.name) + " in blend mode " + std::to_string(mode));
            Clear();
            Backdrop();
            draw::Flush();
            ResetRenderState();
            BlendMode::Set(mode);
            scene.immediate(pattern);
            ResetRenderState();
            const std::vector<uint8_t> before = gl.ReadAll();

            Clear();
            Backdrop();
            draw::SetBlend(mode);
            scene.queued(pattern);
            const std::vector<uint8_t> after = gl.ReadAll();
            int diff = 0, most = 0;
            for (size_t i = 0; i < before.size() && i < after.size(); i++)
                if (before[i] != after[i]) diff++, most = std::max(most, std::abs(before[i] - after[i]));
            EXPECT_TRUE(before == after) << diff << " bytes differ, by up to " << most;
            draw::SetBlend(BlendMode::Normal);
        }
}

TEST_F(PainterTest, NestedClipsCutAsTheScissorDid)
{
    const Color4f white(1, 1, 1, 1);
    draw::NoTexture();
    draw::PushClip(4, 4, 40, 30);
    draw::FillRect(0, 0, 64, 48, Color4f(1, 0, 0, 1));
    draw::PushClip(20, 10, 40, 10); // reaches past the outer clip's right edge
    draw::FillRect(0, 0, 64, 48, white);
    draw::PopClip();
    draw::FillRect(0, 30, 64, 18, Color4f(0, 0, 1, 1)); // the outer clip again
    draw::PopClip();
    draw::FillRect(60, 44, 4, 4, Color4f(0, 1, 0, 1)); // unclipped
    EXPECT_EQ(gl.ReadPixel(3, 3), Black);
    EXPECT_EQ(gl.ReadPixel(4, 4), Red);
    EXPECT_EQ(gl.ReadPixel(20, 10), White);
    EXPECT_EQ(gl.ReadPixel(43, 19), White);
    EXPECT_EQ(gl.ReadPixel(44, 19), Black);
    EXPECT_EQ(gl.ReadPixel(19, 10), Red);
    EXPECT_EQ(gl.ReadPixel(20, 20), Red);
    EXPECT_EQ(gl.ReadPixel(10, 31), Blue);
    EXPECT_EQ(gl.ReadPixel(10, 34), Black);
    EXPECT_EQ(gl.ReadPixel(62, 46), Green);
}

TEST_F(PainterTest, ConsecutiveDrawsOfOneStateAreOneCall)
{
    Texture2D other;
    ASSERT_TRUE(other.Load(Solid(0, 255, 0), 0, false));
    draw::Flush();
    const uint64 start = draw::GetCounters().draw_calls;
    for (int i = 0; i < 1000; i++)
    {
        pattern.Apply();
        draw::TexRect(float(i % 60), float(i % 44), 4, 4, 0, 0, 1, 1, Color4f(1, 1, 1, 1));
    }
    draw::Flush();
    EXPECT_EQ(draw::GetCounters().draw_calls - start, 1u);

    // Each change of texture, blend mode or clip starts another call.
    const uint64 mid = draw::GetCounters().draw_calls;
    pattern.Apply();
    draw::TexRect(0, 0, 4, 4, 0, 0, 1, 1, Color4f(1, 1, 1, 1));
    other.Apply();
    draw::TexRect(0, 0, 4, 4, 0, 0, 1, 1, Color4f(1, 1, 1, 1));
    draw::SetBlend(BlendMode::Add);
    draw::TexRect(0, 0, 4, 4, 0, 0, 1, 1, Color4f(1, 1, 1, 1));
    draw::PushClip(0, 0, 8, 8);
    draw::TexRect(0, 0, 4, 4, 0, 0, 1, 1, Color4f(1, 1, 1, 1));
    draw::PopClip();
    draw::NoTexture();
    draw::FillRect(0, 0, 4, 4, Color4f(1, 1, 1, 1));
    draw::FillRect(8, 8, 4, 4, Color4f(1, 0, 1, 1));
    draw::Flush();
    EXPECT_EQ(draw::GetCounters().draw_calls - mid, 5u);
}

TEST_F(PainterTest, AChangedTextureLeavesEarlierDrawsAsTheyWere)
{
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Solid(255, 0, 0), 0, false));
    tex.Draw(0, 0);
    ASSERT_TRUE(tex.Load(Solid(0, 0, 255), 0, false));
    tex.Draw(20, 0);
    EXPECT_EQ(gl.ReadPixel(4, 4), Red);
    EXPECT_EQ(gl.ReadPixel(24, 4), Blue);

    // A glyph tile rewritten in the same frame: the earlier glyph keeps its pixels.
    TileAtlas atlas(4, 4);
    TileObject *tile = atlas.Acquire();
    std::vector<uint8> full(16, 255), empty(16, 0);
    ASSERT_TRUE(atlas.Write(tile, full.data()));
    ASSERT_TRUE(atlas.Bind());
    draw::SetBlend(BlendMode::Normal);
    draw::TexRect(40, 0, 4, 4, tile->u0, tile->v0, tile->u1, tile->v1, Color4f(1, 1, 1, 1));
    ASSERT_TRUE(atlas.Write(tile, empty.data()));
    ASSERT_TRUE(atlas.Bind());
    draw::TexRect(50, 0, 4, 4, tile->u0, tile->v0, tile->u1, tile->v1, Color4f(1, 1, 1, 1));
    EXPECT_EQ(gl.ReadPixel(41, 1), White);
    EXPECT_EQ(gl.ReadPixel(51, 1), Black);
}

TEST_F(PainterTest, AnUnchangedFrameIsNeitherDrawnNorShown)
{
    Texture2D tex;
    ASSERT_TRUE(tex.Load(Solid(255, 0, 0), 0, false));
    TileAtlas atlas(4, 4);
    std::vector<uint8> ink(16, 255);
    ASSERT_TRUE(atlas.Write(atlas.Acquire(), ink.data()));
    float alpha = 1, x = 0;
    auto scene = [&]
    {
        tex.Color.a = alpha;
        tex.Draw(x, 0);
        atlas.Bind();
        draw::TexRect(40, 20, 4, 4, 0, 0, 0.1f, 0.1f, Color4f(1, 1, 1, 1));
    };
    const int presents = gl.Window().PresentCount();
    EXPECT_TRUE(Frame(scene));
    EXPECT_FALSE(Frame(scene));
    EXPECT_FALSE(Frame(scene));
    EXPECT_EQ(gl.Window().PresentCount(), presents + 1);
    EXPECT_EQ(gl.ReadPixel(2, 2), Red); // the canvas keeps the last frame drawn

    const std::pair<const char *, std::function<void()>> changes[] = {
        {"an alpha step", [&] { alpha = 0.5f; }},
        {"a move", [&] { x = 1; }},
        {"a texture upload", [&] { ASSERT_TRUE(tex.Load(Solid(255, 0, 0), 0, false)); }},
        {"a glyph added to the atlas", [&] { ASSERT_TRUE(atlas.Write(atlas.Acquire(), ink.data())); }},
        {"a window refresh",
         [&]
         {
             gl.Window().InjectExpose();
             gl.Window().PollEvents();
         }},
    };
    for (const auto &[name, change] : changes)
    {
        SCOPED_TRACE(name);
        change();
        const int before = gl.Window().PresentCount();
        EXPECT_TRUE(Frame(scene));
        EXPECT_FALSE(Frame(scene));
        EXPECT_EQ(gl.Window().PresentCount(), before + 1);
    }
}

TEST_F(PainterTest, ReadingBackAfterASkippedFrameSeesTheLastFrame)
{
    auto scene = []
    {
        draw::NoTexture();
        draw::FillRect(10, 10, 20, 20, Color4f(0, 1, 0, 1));
    };
    EXPECT_TRUE(Frame(scene));
    EXPECT_FALSE(Frame(scene));
    EXPECT_EQ(gl.ReadPixel(15, 15), Green);
    EXPECT_EQ(gl.ReadPixel(5, 5), Black);
    // A read-back in the middle of a frame sees that frame so far, as it always did.
    draw::Clear(Color4f(0, 0, 0, 1));
    draw::FillRect(0, 0, 4, 4, Color4f(1, 0, 0, 1));
    EXPECT_EQ(gl.ReadPixel(1, 1), Red);
    EXPECT_EQ(gl.ReadPixel(15, 15), Black);
    draw::FillRect(10, 10, 20, 20, Color4f(0, 1, 0, 1));
    EXPECT_TRUE(draw::EndFrame(false)); // partly drawn already: it must be shown
}
