// What an open choice puts on the canvas: the frame, the highlight bar in three
// bands, the swinging pointer and the seen mark. HGL_CHECKPOINTS=<folder> writes
// the frames as PNG pictures to look at.
#include "ChoiceTestKit.h"

#include "graphics/ColorType.h"
#include "tools/hgptool/PngFile.h"

#include <cstdlib>

namespace
{
using hgl::test::RGBA;
using stagekit::Near;
} // namespace

class ChoicePixelTest : public ChoiceTest
{
  protected:
    void Checkpoint(const std::string &name)
    {
        const char *folder = std::getenv("HGL_CHECKPOINTS");
        if (!folder) return;
        hgl::ImageBlock image;
        image.width = gl->Width();
        image.height = gl->Height();
        image.color_type = hgl::ctRGBA;
        image.pixels = gl->ReadAll();
        std::string error;
        EXPECT_TRUE(hgl::hgptool::WritePng(std::string(folder) + "/" + name + ".png", image, error)) << error;
    }

    // A canvas pixel at a point of the menu.
    RGBA At(float x, float y)
    {
        const hgl::RectScope2<float> menu = Select().GetMenuRect();
        return Pixel(int(menu.Left + x), int(menu.Top + y));
    }
};

TEST_F(ChoicePixelTest, HighlightInThreeBandsWithPointerAndMark)
{
    Run(u"TOP:\n" + std::u16string(choicekit::kThree) + u"goto TOP;\n");
    Steps(3);
    Checkpoint("choice-first");
    const hgl::RectScope2<float> &hl = Select().GetHighlight();
    const float x = hl.Left, y = hl.Top, w = hl.Width, h = hl.Height, g = G();
    ASSERT_GE(g, 2);
    // The top and bottom bands come from the bar's top quarter, the middle from the
    // part right of 0.6 of the rest; the middle's sides, a band wide, show the frame.
    EXPECT_TRUE(Near(At(x + w / 2, y + g / 2), choicekit::kBand))
        << ::testing::PrintToString(At(x + w / 2, y + g / 2));
    EXPECT_TRUE(Near(At(x + w / 2, y + h - g / 2), choicekit::kBand));
    EXPECT_TRUE(Near(At(x + 1.5f * g, y + h / 2), choicekit::kBarRight))
        << ::testing::PrintToString(At(x + 1.5f * g, y + h / 2));
    EXPECT_TRUE(Near(At(x + w - 1.5f * g, y + h / 2), choicekit::kBarRight));
    EXPECT_TRUE(Near(At(x + g / 2, y + h / 2), choicekit::kFrame))
        << ::testing::PrintToString(At(x + g / 2, y + h / 2));
    EXPECT_TRUE(Near(At(x + w - g / 2, y + h / 2), choicekit::kFrame));
    // The pointer ends at the highlight's left edge plus its swing; no mark yet.
    const float flag_w = stagekit::kCanvasW * 32.0f / 1600;
    const float tip = x + Select().GetFlagOffset();
    EXPECT_TRUE(Near(At(tip - flag_w / 2, y + h / 2), choicekit::kFlag))
        << ::testing::PrintToString(At(tip - flag_w / 2, y + h / 2));
    EXPECT_TRUE(Near(At(tip + 1, y + h / 2), choicekit::kFrame));
    // The frame covers the menu's band of the canvas; above it, none.
    EXPECT_TRUE(Near(At(stagekit::kCanvasW - 2, 2), choicekit::kFrame));
    EXPECT_FALSE(Near(At(stagekit::kCanvasW - 2, -3), choicekit::kFrame));

    // Picked once, the option shows the mark at the right end of its highlight.
    Key(hgl::key::Enter);
    Steps(3);
    ASSERT_TRUE(Select().IsHighlightSeen());
    Checkpoint("choice-seen");
    const float right = hl.Left + hl.Width - 2 * g;
    EXPECT_TRUE(Near(At(right - flag_w / 2, hl.Top + hl.Height / 2), choicekit::kMark))
        << ::testing::PrintToString(At(right - flag_w / 2, hl.Top + hl.Height / 2));
    EXPECT_TRUE(Near(At(right + 1, hl.Top + hl.Height / 2), choicekit::kBarRight));

    // Picked, the menu is gone.
    Key(hgl::key::Enter);
    Step();
    EXPECT_FALSE(Near(At(stagekit::kCanvasW - 2, 2), choicekit::kFrame));
}

TEST_F(ChoicePixelTest, HalfAlphaBlendsOverTheStage)
{
    Run(choicekit::kThree);
    Select().SetAlpha(0.5f);
    Step();
    // Half the frame over the stage, as it shows just above the menu.
    const RGBA stage = At(stagekit::kCanvasW - 2, -3), frame = At(stagekit::kCanvasW - 2, 2);
    const auto half = [](uint8_t a, uint8_t b) { return uint8_t((a + b) / 2); };
    EXPECT_TRUE(Near(frame, {half(stage.r, 60), half(stage.g, 60), half(stage.b, 60), 255}))
        << ::testing::PrintToString(frame) << ::testing::PrintToString(stage);
}
