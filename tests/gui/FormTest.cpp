#include "platform/window/InputSink.h"
#include "platform/window/KeyCode.h"
#include "framework/ObjectControl.h"
#include "gui/Button.h"
#include "gui/Form.h"

#include <gtest/gtest.h>

using namespace hgl;
using namespace hgl::gui;

TEST(Form, DragMovesByThePointersDelta)
{
    ObjectControl root(0, 0, 640, 480);
    auto *form = new Form(10, 10, 100, 50, u"窗口");
    auto *button = new Button(60, 5, 30, 20);
    form->AddObject(button);
    root.AddObject(form);

    EXPECT_TRUE(root.Proc_MouseLeftDown(20, 20, platform::MouseFlagLeft));
    root.Proc_MouseMove(50, 45, platform::MouseFlagLeft);
    root.Proc_MouseMove(45, 47, platform::MouseFlagLeft);
    EXPECT_FLOAT_EQ(form->Left, 35);
    EXPECT_FLOAT_EQ(form->Top, 37);
    root.Proc_MouseLeftUp(45, 47, 0);
    root.Proc_MouseMove(0, 0, 0);
    EXPECT_FLOAT_EQ(form->Left, 35);

    // A press on a child is the child's; with drag-to-move off the form stays put.
    root.Proc_MouseLeftDown(100, 50, platform::MouseFlagLeft); // the button is now at 95..124, 42..61
    EXPECT_TRUE(button->IsPressed());
    EXPECT_FALSE(form->IsDragging());
    root.Proc_MouseLeftUp(100, 50, 0);
    form->DragMove = false;
    EXPECT_FALSE(root.Proc_MouseLeftDown(40, 40, platform::MouseFlagLeft));
    root.Proc_MouseMove(90, 90, platform::MouseFlagLeft);
    EXPECT_FLOAT_EQ(form->Left, 35);
}
