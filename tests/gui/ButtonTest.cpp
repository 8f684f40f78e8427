#include "framework/KeyCode.h"
#include "framework/ObjectControl.h"
#include "gui/TextButton.h"

#include "GuiTestUtil.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

namespace
{
// A control at (100, 50) holding a button at (10, 10) of 40 x 20, so the button
// covers canvas x 110..149, y 60..79.
struct ButtonRig
{
    ObjectControl root{100, 50, 300, 200};
    Button *button = new Button(10, 10, 40, 20);
    int clicks = 0;
    int drawn_state = -1;

    ButtonRig()
    {
        root.AddObject(button);
        test::CountInto(button->OnClick, clicks);
        button->OnDraw.Bind(&drawn_state,
                            [](void *s, Button *, int state) { *static_cast<int *>(s) = state; });
    }
    int StateDrawn()
    {
        button->Draw();
        return drawn_state;
    }
};
} // namespace

TEST(Button, ClickNeedsPressAndReleaseOverIt)
{
    struct Case
    {
        int px, py, rx, ry, clicks;
    } cases[] = {
        {120, 70, 130, 75, 1}, // press and release over it
        {120, 70, 200, 75, 0}, // released elsewhere
        {200, 70, 120, 70, 0}, // pressed elsewhere
        {149, 79, 110, 60, 1}, // the last pixels inside
        {150, 70, 150, 70, 0}, // right edge is outside
    };
    for (const Case &c : cases)
    {
        ButtonRig rig;
        rig.root.Proc_MouseLeftDown(c.px, c.py, mfLeft);
        rig.root.Proc_MouseLeftUp(c.rx, c.ry, 0);
        EXPECT_EQ(rig.clicks, c.clicks) << c.px << "," << c.py << " -> " << c.rx << "," << c.ry;
        EXPECT_FALSE(rig.button->IsPressed());
    }
}

TEST(Button, DrawStates)
{
    ButtonRig rig;
    EXPECT_EQ(rig.StateDrawn(), bsNormal);
    rig.root.Proc_MouseLeftDown(120, 70, mfLeft);
    EXPECT_EQ(rig.StateDrawn(), bsPress);
    rig.root.Proc_MouseLeftUp(300, 200, 0);
    EXPECT_EQ(rig.StateDrawn(), bsFocus); // the press gave it the focus
    rig.button->SetEnabled(false);
    EXPECT_EQ(rig.StateDrawn(), bsDisable);
}

TEST(Button, EnterAndSpaceClickTheFocusedButton)
{
    ButtonRig rig;
    auto *other = new Button(10, 40, 40, 20);
    int other_clicks = 0;
    test::CountInto(other->OnClick, other_clicks);
    rig.root.AddObject(other);
    rig.root.SetFocusObject(rig.button);

    EXPECT_TRUE(rig.root.Proc_KeyDown(kbEnter));
    EXPECT_TRUE(rig.root.Proc_KeyDown(kbSpace));
    EXPECT_FALSE(rig.root.Proc_KeyDown(kbEsc));
    EXPECT_EQ(rig.clicks, 2);
    EXPECT_EQ(other_clicks, 0);

    EXPECT_FALSE(other->Proc_KeyDown(kbEnter)); // not focused
    Button::SetFocusTarget(other);
    EXPECT_TRUE(rig.root.Proc_KeyDown(kbEnter));
    EXPECT_EQ(other_clicks, 1);
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

    button.Theme.SetAlpha(0.25f);
    EXPECT_FLOAT_EQ(button.Theme.Shadow.a, 0.25f);
    EXPECT_FLOAT_EQ(button.Theme.Disable.a, 0.25f);
}
