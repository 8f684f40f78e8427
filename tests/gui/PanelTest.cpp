#include "gui/Panel.h"

#include "GuiTestUtil.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

TEST(Panel, FrameModes)
{
    test::GuiCanvas canvas(32, 32);
    ASSERT_TRUE(canvas.Ok()) << canvas.Error();
    Panel panel(0, 0, 20, 20);
    const int cases[][3] = {{pfmNone, false, false}, {pfmOutline, true, false}, {pfmFilled, true, true}};
    for (const auto &c : cases) // mode, edge inked, inside inked
    {
        canvas.Clear();
        panel.SetFrameMode(c[0]);
        panel.DrawObject();
        EXPECT_EQ(canvas.Inked(0, 10), bool(c[1])) << "mode " << c[0];
        EXPECT_EQ(canvas.Inked(10, 10), bool(c[2])) << "mode " << c[0];
        EXPECT_FALSE(canvas.Inked(20, 10));
    }
    test::LogCapture log;
    panel.SetFrameMode(3);
    EXPECT_EQ(panel.GetFrameMode(), pfmFilled);
    EXPECT_EQ(log.Errors().size(), 1u);
}
