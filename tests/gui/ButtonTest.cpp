#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "framework/ObjectControl.h"
#include "gui/TextButton.h"

#include "GuiTestUtil.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

namespace
{
// A control at (100, 50) holding a button at (10, 10) of 40 x 20: the button covers
// canvas x 110..149, y 60..79. The button's draw closure records the state drawn.
struct ButtonRig
{
    ObjectControl root{100, 50, 300, 200};
    Button *button = new Button(10, 10, 40, 20);
    int clicks = 0, drawn = -1;

    ButtonRig()
    {
        root.AddObject(button);
        test::CountInto(button->OnClick, clicks);
        button->OnDraw.Bind(&drawn, [](void *d, Button *, int state) { *static_cast<int *>(d) = state; });
    }
    int StateDrawn()
    {
        button->Draw();
        return drawn;
    }
};
} // namespace

TEST(Button, ClickNeedsPressAndReleaseOverIt)
{
    const int cases[][5] = {
        // press x, y, release x, y, clicks
        {120, 70, 130, 75, 1}, {120, 70, 200, 75, 0}, {200, 70, 120, 70, 0},
        {149, 79, 110, 60, 1}, {150, 70, 150, 70, 0}, // the right edge is outside
    };
    for (const auto &c : cases)
    {
        ButtonRig rig;
        rig.root.Proc_MouseLeftDown(c[0], c[1], platform::MouseFlagLeft);
        EXPECT_EQ(rig.StateDrawn(), c[0] < 150 ? bsPress : bsNormal);
        rig.root.Proc_MouseLeftUp(c[2], c[3], 0);
        EXPECT_EQ(rig.clicks, c[4]) << c[0] << "," << c[1] << " -> " << c[2] << "," << c[3];
        EXPECT_NE(rig.StateDrawn(), bsPress);
    }
}

TEST(Button, KeysAndStates)
{
    ButtonRig rig;
    auto *other = new Button(10, 40, 40, 20);
    rig.root.AddObject(other);
    EXPECT_FALSE(rig.root.Proc_KeyDown(key::Enter)); // nothing focused yet
    Button::SetFocusTarget(rig.button);
    EXPECT_EQ(rig.StateDrawn(), bsFocus);
    EXPECT_TRUE(rig.root.Proc_KeyDown(key::Enter));
    EXPECT_TRUE(rig.root.Proc_KeyDown(key::Space));
    EXPECT_FALSE(rig.root.Proc_KeyDown(key::Esc));
    EXPECT_FALSE(other->Proc_KeyDown(key::Enter)); // not focused
    EXPECT_EQ(rig.clicks, 2);

    rig.button->SetEnabled(false);
    EXPECT_EQ(rig.StateDrawn(), bsDisable);
    EXPECT_FALSE(rig.button->Proc_KeyDown(key::Enter));
}

TEST(TextButton, CaptionNoticeOnlyOnChange)
{
    TextButton button(0, 0, 80, 20, u"开始");
    int notices = 0;
    test::CountInto(button.OnCaptionChange, notices);
    button.Caption = String(u"开始");
    button.SetCaption(u"继续");
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(button.GetCaption().Comp(u"继续"), 0);
}
