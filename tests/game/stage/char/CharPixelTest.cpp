#include "CharTestKit.h"

// The 8 x 16 picture at scale 1 stands with its top at 300 - 0.2 x (16 + 700) on the
// 768-line canvas; its top-left quarter is white.
TEST_F(CharTest, MirroredUpsideDownAndDarkSprites)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Show(0, u"ABCD00L");
    c.Move(u"LEFT", 0, 0);
    c.ToggleFacing(0);
    c.Show(1, u"ABCD00L");
    c.Move(u"RIGHT", 1, 0);
    c.ToggleUpsideDown(1);
    c.Show(2, u"ABCD00L");
    Frame();
    Frame(600);
    const charkit::RGBA red = charkit::kLayerColours[0], white = charkit::kWhite;
    // As painted, at the centre: white top-left.
    EXPECT_TRUE(stagekit::Near(Pixel(509, 160), white));
    EXPECT_TRUE(stagekit::Near(Pixel(514, 160), red));
    // Mirrored at x 256: white top-right.
    EXPECT_TRUE(stagekit::Near(Pixel(253, 160), red));
    EXPECT_TRUE(stagekit::Near(Pixel(258, 160), white));
    // Upside down at x 768, mirrored about the middle line: white bottom-right.
    EXPECT_TRUE(stagekit::Near(Pixel(770, 608), white));
    EXPECT_TRUE(stagekit::Near(Pixel(765, 598), red));

    unit->GetBackStage()->SetDark(true);
    Frame();
    EXPECT_TRUE(stagekit::Near(Pixel(514, 168), {183, 0, 0, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(509, 160), {183, 183, 183, 255}));
}
