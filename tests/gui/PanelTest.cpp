#include "graphics/texture/ImageBlock.h"
#include "graphics/texture/Texture.h"
#include "gui/Panel.h"
#include "gui/TexLabel.h"

#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

namespace
{
struct Canvas
{
    test::GLTestContext gl{32, 32};

    void Clear()
    {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    bool Inked(int x, int y) { return gl.ReadPixel(x, y).a != 0; }
};
} // namespace

TEST(Panel, FrameModes)
{
    Canvas canvas;
    ASSERT_TRUE(canvas.gl.Ok()) << canvas.gl.Error();
    Panel panel(0, 0, 20, 20);
    struct Case
    {
        int mode;
        bool edge, inside;
    } cases[] = {{pfmNone, false, false}, {pfmOutline, true, false}, {pfmFilled, true, true}};
    for (const Case &c : cases)
    {
        canvas.Clear();
        panel.SetFrameMode(c.mode);
        panel.DrawObject();
        EXPECT_EQ(canvas.Inked(0, 10), c.edge) << "mode " << c.mode;
        EXPECT_EQ(canvas.Inked(10, 10), c.inside) << "mode " << c.mode;
        EXPECT_FALSE(canvas.Inked(20, 10));
    }
    test::LogCapture log;
    panel.SetFrameMode(3);
    EXPECT_EQ(panel.GetFrameMode(), pfmFilled);
    EXPECT_EQ(log.Errors().size(), 1u);
}

TEST(TexLabel, ShowsItsTextureFadedByItsAlpha)
{
    Canvas canvas;
    ASSERT_TRUE(canvas.gl.Ok()) << canvas.gl.Error();
    ImageBlock image;
    image.width = image.height = 4;
    image.color_type = 4; // RGBA
    image.pixels.assign(4 * 4 * 4, 255);
    auto *texture = new Texture2D;
    ASSERT_TRUE(texture->Load(image, 0, false));

    TexLabel label(3, 5, texture, true); // the label deletes it
    EXPECT_FLOAT_EQ(label.Width, 4);
    canvas.Clear();
    label.Draw();
    EXPECT_TRUE(canvas.Inked(4, 6));
    EXPECT_FALSE(canvas.Inked(7, 6));
    canvas.Clear();
    label.Alpha = 0.0f;
    label.Draw();
    EXPECT_FALSE(canvas.Inked(4, 6));
}
