#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "gui/ScrollBar.h"

#include <gtest/gtest.h>
#include <vector>

using namespace hgl;
using namespace hgl::gui;

TEST(ScrollBar, ClampsAndFiresOnlyOnChange)
{
    ScrollBar bar(0, 0, 15, 200, true);
    std::vector<int> fired;
    bar.OnChange.Bind(&fired,
                      [](void *f, ScrollBar *, int v) { static_cast<std::vector<int> *>(f)->push_back(v); });

    const int steps[][3] = {
        // set max (1) or value (0), argument, value after
        {0, 50, 50}, {0, 50, 50}, {0, 150, 100}, {0, -5, 0}, {0, 70, 70}, {1, 30, 30}, {1, -10, 0}, {0, 5, 0},
    };
    for (const auto &s : steps)
    {
        if (s[0])
            bar.SetMaxValue(s[1]);
        else
            bar.Value = s[1];
        EXPECT_EQ(bar.Value, s[2]) << (s[0] ? "max " : "value ") << s[1];
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
    EXPECT_TRUE(bar.Proc_KeyDown(key::Down));
    EXPECT_TRUE(bar.Proc_KeyRepeat(key::Down));
    EXPECT_FALSE(bar.Proc_KeyDown(key::Right)); // not this bar's direction
    EXPECT_EQ(bar.Value, 61);

    // Dragging the ball 30 pixels moves the value by 30 / 150 of the range; a press
    // beside the ball pages by the key step.
    bar.Value = 50;
    EXPECT_TRUE(bar.Proc_MouseLeftDown(5, 80, platform::MouseFlagLeft));
    EXPECT_TRUE(bar.Proc_MouseMove(5, 110, platform::MouseFlagLeft));
    EXPECT_TRUE(bar.Proc_MouseLeftUp(5, 110, 0));
    EXPECT_EQ(bar.Value, 70);
    EXPECT_FALSE(bar.Proc_MouseMove(5, 10, 0));
    bar.Proc_MouseLeftDown(5, 5, platform::MouseFlagLeft);
    EXPECT_EQ(bar.Value, 60);
}
