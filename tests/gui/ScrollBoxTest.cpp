#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "framework/ObjectControl.h"
#include "gui/Button.h"
#include "gui/ScrollBox.h"

#include "GuiTestUtil.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

namespace
{
constexpr int RowHeight = 50;
constexpr int Rows = 10;

// A 100 x 100 box at (10, 20) holding ten 80 x 50 rows stacked from the top: 500
// pixels of content, 400 of them to scroll.
struct BoxRig
{
    ObjectControl root{0, 0, 640, 480};
    ScrollBox *box = new ScrollBox(10, 20, 100, 100);
    std::vector<test::Probe *> rows;

    BoxRig()
    {
        root.AddObject(box);
        for (int i = 0; i < Rows; i++)
            box->AddObject(rows.emplace_back(new test::Probe(0, float(i * RowHeight), 80, RowHeight)));
        box->Refresh();
    }
};
} // namespace

TEST(ScrollBox, ExtentsOffsetsAndBars)
{
    BoxRig rig;
    ScrollBox &box = *rig.box;
    EXPECT_FLOAT_EQ(box.GetMaxScrollY(), 400);
    EXPECT_TRUE(box.GetVerticalBar().IsVisible());
    EXPECT_FALSE(box.GetHorizontalBar().IsVisible());
    EXPECT_EQ(box.GetVerticalBar().MaxValue, 400);
    EXPECT_FLOAT_EQ(box.GetVerticalBar().GetBallLength(), 20); // 100 of 500 shown

    const float wanted[][2] = {{1000, 400}, {-5, 0}, {123.5f, 123.5f}};
    for (const auto &w : wanted)
    {
        box.SetScrollY(w[0]);
        EXPECT_FLOAT_EQ(box.GetScrollY(), w[1]);
        EXPECT_EQ(box.GetVerticalBar().Value, int(w[1]));
        EXPECT_FLOAT_EQ(rig.rows[0]->GetOriginY(), 20 - w[1]);
    }
    box.GetVerticalBar().Value = 300; // the bar scrolls the box
    EXPECT_FLOAT_EQ(box.GetScrollY(), 300);

    // A child added later is measured at the next refresh.
    box.AddObject(new test::Probe(0, 500, 200, 100));
    box.Refresh();
    EXPECT_FLOAT_EQ(box.GetMaxScrollX(), 100);
    EXPECT_TRUE(box.GetHorizontalBar().IsVisible());
    EXPECT_FLOAT_EQ(box.GetVerticalBar().Height, 100 - ScrollBox::BarThickness);
}

TEST(ScrollBox, WheelKeysAndFocusScroll)
{
    BoxRig rig;
    ScrollBox &box = *rig.box;
    EXPECT_FALSE(rig.root.Proc_MouseWheel(300, 300, -120, 0)); // not over the box
    EXPECT_TRUE(rig.root.Proc_MouseWheel(50, 50, -120, 0));
    EXPECT_FLOAT_EQ(box.GetScrollY(), 32);
    EXPECT_TRUE(rig.root.Proc_MouseWheel(50, 50, 120, 0));
    EXPECT_TRUE(rig.root.Proc_MouseWheel(50, 50, 120, 0)); // at the top, still handled
    EXPECT_FLOAT_EQ(box.GetScrollY(), 0);

    EXPECT_TRUE(box.Proc_KeyDown(key::Down));
    EXPECT_TRUE(box.Proc_KeyRepeat(key::Down));
    EXPECT_FALSE(box.Proc_KeyDown(key::Enter));
    EXPECT_FLOAT_EQ(box.GetScrollY(), 11);

    // A button taking the focus is scrolled into view, bottom edge at the box's.
    auto *far_button = new Button(0, 700, 50, 40);
    box.AddObject(far_button);
    box.SetFocusObject(far_button);
    EXPECT_FLOAT_EQ(box.GetScrollY(), 640);
}

TEST(ScrollBox, PointerReachesChildrenInContentCoordinates)
{
    ObjectControl root(0, 0, 640, 480);
    auto *box = new ScrollBox(10, 20, 100, 100);
    auto *button = new Button(0, 200, 60, 30);
    int clicks = 0;
    test::CountInto(button->OnClick, clicks);
    box->AddObject(button);
    root.AddObject(box);
    box->Refresh();
    box->SetScrollY(1000); // to the end, 130: the button shows at canvas y 90..119

    const int cases[][3] = {{100, 100, 1}, {100, 300, 1}}; // press y, release y, clicks so far
    for (const auto &c : cases)
    {
        root.Proc_MouseLeftDown(20, c[0], platform::MouseFlagLeft);
        root.Proc_MouseLeftUp(20, c[1], 0);
        EXPECT_EQ(clicks, c[2]);
        EXPECT_FALSE(button->IsPressed()); // also after a release outside the box
    }
    // The pointer entering the button, leaving the box and coming back: entered twice.
    int entered = 0;
    test::CountInto(button->OnPointerOver, entered);
    for (int y : {100, 300, 100, 110})
        root.Proc_MouseMove(20, y, 0);
    EXPECT_EQ(entered, 2);
    root.Proc_MouseLeftDown(105, 100, platform::MouseFlagLeft); // on the scroll bar
    EXPECT_FALSE(button->IsPressed());
    EXPECT_FALSE(root.Proc_MouseLeftDown(20, 130, platform::MouseFlagLeft)); // below the box
}

TEST(ScrollBox, DrawsOnlyChildrenInViewClipped)
{
    test::GuiCanvas canvas(160, 160);
    ASSERT_TRUE(canvas.Ok()) << canvas.Error();
    canvas.Clear();
    BoxRig rig;
    rig.box->SetFrameMode(pfmNone);
    rig.box->SetScrollY(125); // rows 2 (half), 3 and 4 (half) in view

    rig.root.DrawObject();
    for (int i = 0; i < Rows; i++)
        EXPECT_EQ(rig.rows[i]->draws, i >= 2 && i <= 4 ? 1 : 0) << "row " << i;
    const int inked_rows[][2] = {{19, false}, {20, true}, {119, true}, {120, false}}; // clipped at the box
    for (const auto &r : inked_rows)
        EXPECT_EQ(canvas.Inked(20, r[0]), bool(r[1])) << "y " << r[0];
}
