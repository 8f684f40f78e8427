// A stage that shows the same picture frame after frame is drawn and shown once,
// then not again until something on it changes.
#include "MessageTestKit.h"

#include "graphics/draw/Painter.h"

namespace
{
constexpr hgl::test::RGBA kGround{200, 200, 200, 255};

class IdleFrameTest : public MessageTest
{
  protected:
    // One frame as the application runs it: cleared, updated and drawn, then
    // shown only when it is not the last frame again. Whether it was shown.
    bool Frame()
    {
        hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
        Step();
        const bool shown = hgl::draw::EndFrame(gl->Window().TakeRefresh());
        if (shown) gl->Window().EndFrame();
        return shown;
    }
    // The frames of the next count that were shown.
    std::vector<int> Shown(int count)
    {
        std::vector<int> shown;
        for (int i = 0; i < count; ++i)
            if (Frame()) shown.push_back(i);
        return shown;
    }
};
} // namespace

TEST_F(IdleFrameTest, AShownMessageIsShownOnceAndAgainOnlyWhenSomethingChanges)
{
    AddPicture(u"BG\\bgground.HGP", 8, 6, kGround);
    Run(u"BG_SET(\"bgground\");\nShowMessage(\"\", \"\", \"起承转合\");\nShowMessage(\"\", \"\", "
        u"\"第二行\");");
    ASSERT_TRUE(Reveal());
    Shown(200); // the end marker's entrance, whatever it takes
    const int presents = gl->Window().PresentCount();
    EXPECT_EQ(Shown(120), std::vector<int>{});
    EXPECT_EQ(gl->Window().PresentCount(), presents);
    EXPECT_TRUE(stagekit::Near(Pixel(2, 2), kGround)); // the canvas still holds the frame

    // An expose: exactly the next frame is shown.
    gl->Window().InjectExpose();
    gl->Window().PollEvents();
    EXPECT_EQ(Shown(5), std::vector<int>{0});

    // The next line: every frame that reveals a character is shown, then the stage rests again.
    Click();
    Box().SetTextSpeed(20);
    std::vector<int> revealing;
    int last_count = Box().GetShownCount();
    for (int i = 0; i < 200 && !(Box().IsTextComplete() && Box().IsTextDone()); ++i)
    {
        const bool shown = Frame();
        if (Box().GetShownCount() != last_count)
        {
            EXPECT_TRUE(shown) << "frame " << i;
        }
        last_count = Box().GetShownCount();
    }
    Shown(200);
    EXPECT_EQ(Shown(60), std::vector<int>{});
}
