#include "graphics/gl/BlendMode.h"
#include "graphics/gl/Canvas.h"
#include "graphics/gl/RenderState.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>

namespace
{
using hgl::test::GLTestContext;
using hgl::test::RGBA;

void Quad(float x, float y, float w, float h)
{
    glBegin(GL_QUADS);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
    glEnd();
}

void ExpectNear(const RGBA &got, const float (&want)[3], int mode)
{
    const uint8_t rgb[3] = {got.r, got.g, got.b};
    for (int i = 0; i < 3; i++)
        EXPECT_NEAR(rgb[i], std::lround(std::clamp(want[i], 0.0f, 1.0f) * 255), 2)
            << "mode " << mode << " channel " << i;
}

TEST(BlendMode, EveryModeOverKnownColours)
{
    GLTestContext gl(4, 4);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    const float d[3] = {0.25f, 0.5f, 0.75f}; // destination
    const float s[3] = {1.0f, 0.5f, 0.0f};   // source
    const float a = 0.5f;                    // source alpha

    struct Case
    {
        int mode;
        float (*f)(float s, float d, float a);
    };
    const Case cases[] = {
        {hgl::BlendMode::Normal, [](float s, float d, float a) { return s * a + d * (1 - a); }},
        {hgl::BlendMode::Opaque, [](float s, float, float) { return s; }},
        {hgl::BlendMode::Add, [](float s, float d, float) { return s + d; }},
        {hgl::BlendMode::Glow, [](float s, float d, float a) { return s * a + d; }},
        {hgl::BlendMode::Multiply, [](float s, float d, float) { return s * d; }},
        {hgl::BlendMode::Shadow, [](float, float d, float a) { return d * (1 - a); }},
        {hgl::BlendMode::Dim, [](float s, float d, float) { return d * (1 - s); }},
        {hgl::BlendMode::Invert, [](float s, float, float) { return 1 - s; }},
    };
    for (const Case &c : cases)
    {
        hgl::DisableBlend();
        glClearColor(d[0], d[1], d[2], 1);
        glClear(GL_COLOR_BUFFER_BIT);
        ASSERT_TRUE(hgl::BlendMode::Set(c.mode));
        glColor4f(s[0], s[1], s[2], a);
        Quad(0, 0, 4, 4);
        const float want[3] = {c.f(s[0], d[0], a), c.f(s[1], d[1], a), c.f(s[2], d[2], a)};
        ExpectNear(gl.ReadPixel(1, 1), want, c.mode);
    }

    // Ordinary blending after the inverting mode no longer inverts.
    hgl::EnableBlend(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 0, 0, 1);
    Quad(0, 0, 4, 4);
    EXPECT_EQ(gl.ReadPixel(1, 1), (RGBA{255, 0, 0, 255}));

    hgl::test::LogCapture log;
    for (int bad : {0, 9, -1})
        EXPECT_FALSE(hgl::BlendMode::Set(bad));
    EXPECT_EQ(log.Errors().size(), 3u);
}

TEST(RenderState, ScissorAndOrthoUseTopLeftCanvasCoordinates)
{
    GLTestContext gl(16, 12);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    EXPECT_EQ(hgl::GetCanvasWidth(), 16);
    EXPECT_EQ(hgl::GetCanvasHeight(), 12);

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    hgl::EnableScissor(2, 1, 3, 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    hgl::DisableScissor();
    const RGBA red{255, 0, 0, 255}, black{0, 0, 0, 255};
    EXPECT_EQ(gl.ReadPixel(2, 1), red);
    EXPECT_EQ(gl.ReadPixel(4, 2), red);
    EXPECT_EQ(gl.ReadPixel(5, 2), black);
    EXPECT_EQ(gl.ReadPixel(2, 3), black);
    EXPECT_EQ(gl.ReadPixel(1, 1), black);

    // Half-size 2D units: one unit covers two pixels from the top-left corner.
    hgl::SetOrtho2D(8, 6);
    glColor3f(0, 1, 0);
    Quad(0, 0, 1, 1);
    EXPECT_EQ(gl.ReadPixel(1, 1), (RGBA{0, 255, 0, 255}));
    EXPECT_EQ(gl.ReadPixel(0, 2), black);
    EXPECT_EQ(gl.ReadPixel(2, 0), black);

    hgl::SetPerspective3D(45, 16.0 / 12.0, 0.1, 10);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    hgl::SetOrtho2D(16, 12);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

TEST(RenderState, ANewContextStartsWithAFreshCache)
{
    for (int round = 0; round < 2; round++)
    {
        GLTestContext gl(4, 4);
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        EXPECT_FALSE(glIsEnabled(GL_BLEND)) << "round " << round;
        hgl::EnableBlend(GL_ONE, GL_ONE);
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
    }
}

TEST(RenderState, UnbindAllTexturesLeavesUnitZeroSelected)
{
    GLTestContext gl(4, 4);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    GLuint tex = 0;
    glGenTextures(1, &tex);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, tex);
    glEnable(GL_TEXTURE_2D);

    hgl::UnbindAllTextures();
    GLint active = 0, bound = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    glActiveTexture(GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    glDeleteTextures(1, &tex);
}
} // namespace
