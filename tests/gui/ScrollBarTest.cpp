#include "framework/KeyCode.h"
#include "gui/ScrollBar.h"

#include "GuiTestUtil.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

TEST(ScrollBar, ClampsAndFiresOnlyOnChange)
{
    ScrollBar bar(0, 0, 15, 200, true);
    std::vector<int> fired;
    bar.OnChange.Bind(&fired,
                      [](void *f, ScrollBar *, int v) { static_cast<std::vector<int> *>(f)->push_back(v); });

    struct Step
    {
        const char *what;
        int arg, value;
    } steps[] = {
        {"value", 50, 50}, {"value", 50, 50}, {"value", 150, 100}, {"value", -5, 0},
        {"value", 70, 70}, {"max", 30, 30},   {"max", -10, 0},     {"value", 5, 0},
    };
    for (const Step &s : steps)
    {
        if (std::string(s.what) == "max")
            bar.SetMaxValue(s.arg);
        else
            bar.Value = s.arg;
        EXPECT_EQ(bar.Value, s.value) << s.what << " " << s.arg;
    }
    EXPECT_EQ(fired, (std::vector<int>{50, 100, 0, 70, 30, 0}));
}

TEST(ScrollBar, BallAndSteps)
{
    ScrollBar bar(0, 0, 15, 200, true);
    EXPECT_FLOAT_EQ(bar.GetBallLength(), 200); // page length 0: the ball fills the bar
    bar.PageLength = 150;
    bar.Value = 50;
    EXPECT_FLOAT_EQ(bar.GetBallLength(), 50);
    EXPECT_FLOAT_EQ(bar.GetBallOffset(), 75);

    bar.SetFocus(true);
    EXPECT_TRUE(bar.Proc_KeyDown(kbDown));
    EXPECT_TRUE(bar.Proc_KeyRepeat(kbDown));
    EXPECT_FALSE(bar.Proc_KeyDown(kbRight)); // not this bar's direction
    EXPECT_EQ(bar.Value, 61);

    // Dragging the ball 30 pixels moves the value by 30 / 150 of the range.
    bar.Value = 50;
    EXPECT_TRUE(bar.Proc_MouseLeftDown(5, 80, mfLeft));
    EXPECT_TRUE(bar.Proc_MouseMove(5, 110, mfLeft));
    EXPECT_TRUE(bar.Proc_MouseLeftUp(5, 110, 0));
    EXPECT_EQ(bar.Value, 70);
    EXPECT_FALSE(bar.Proc_MouseMove(5, 10, 0));
    // A press beside the ball pages by the key step.
    bar.Proc_MouseLeftDown(5, 5, mfLeft);
    EXPECT_EQ(bar.Value, 60);
}
