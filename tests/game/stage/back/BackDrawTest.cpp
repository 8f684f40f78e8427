// What the background draws: wipe shapes from the recorded draws, scales, the
// flicker zoom and move, the shake, and pixels of a fan wipe, the inverted period
// and a cross-fade on the software renderer.
#include "BackTestKit.h"

#include "core/Random.h"
#include "game/core/Config.h"

using avg::stage_draw::Call;
using avg::stage_draw::CallKind;

namespace
{
constexpr float W = stagekit::kCanvasW, H = stagekit::kCanvasH;

bool SameRect(const Call &c, float x, float y, float w, float h)
{
    return std::abs(c.x - x) < 0.01f && std::abs(c.y - y) < 0.01f && std::abs(c.w - w) < 0.01f &&
           std::abs(c.h - h) < 0.01f;
}
} // namespace

TEST_F(BackTest, BandAndCurtainsAtChosenTimes)
{
    Run(u"BG_SET(\"bgA\");\nBG_FLG(10, 3, \"bgB\");\nBG_FLG(10, 12, \"bgC\");\nBG_FLG(10, 11, \"bgD\");");
    ClearCalls();
    Step(250); // kind 3: the band has reached the bottom
    auto quads = recorder.Of(CallKind::Quad);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_TRUE(SameRect(quads[0], 0, 0, W, H));
    EXPECT_FLOAT_EQ(quads[0].alpha, 0.5f);
    EXPECT_EQ(recorder.Of(CallKind::Picture).size(), 1u); // the old picture only

    ClearCalls();
    Step(250); // half way: the new picture at alpha 0.5 under the withdrawing band
    auto pictures = recorder.Of(CallKind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_FLOAT_EQ(pictures[1].alpha, 0.5f);
    EXPECT_TRUE(SameRect(recorder.Of(CallKind::Quad).at(0), 0, 0, W, H));

    Step(500);
    Steps(2);
    EXPECT_EQ(CurrentName(), u"bgB");
    ClearCalls();
    Step(250); // kind 12 closes a curtain in the first half
    quads = recorder.Of(CallKind::Quad);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_TRUE(SameRect(quads[0], 0, 0, W, H / 4));
    EXPECT_TRUE(SameRect(quads[1], 0, H * 3 / 4, W, H / 4));
    ClearCalls();
    Step(500); // and shows the new picture at once in the second
    EXPECT_TRUE(recorder.Of(CallKind::Quad).empty());
    EXPECT_EQ(recorder.Of(CallKind::Picture).size(), 2u);

    Step(250);
    Steps(2);
    EXPECT_EQ(CurrentName(), u"bgC");
    ClearCalls();
    Step(250); // kind 11 does nothing visible in the first half
    EXPECT_TRUE(recorder.Of(CallKind::Quad).empty());
    EXPECT_EQ(recorder.Of(CallKind::Picture).size(), 1u);
    ClearCalls();
    Step(500); // then opens
    quads = recorder.Of(CallKind::Quad);
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_TRUE(SameRect(quads[0], 0, 0, W, H / 4));
    EXPECT_TRUE(SameRect(quads[1], 0, H * 3 / 4, W, H / 4));
}

TEST_F(BackTest, WidePictureIsScaledToTheCanvasHeight)
{
    AddPicture(u"BG\\wide.HGP", 16, 9, backkit::kGreen);
    Run(u"BG_SET(\"wide\");\nT_MARK(1);");
    ClearCalls();
    Step();
    const auto pictures = recorder.Of(CallKind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_TRUE(SameRect(pictures[0], 0, 0, H / 9, H / 9)); // the left part shows
}

class WideCanvasBackTest : public BackTest
{
  protected:
    int Width() const override { return stagekit::kWideW; }
    int Height() const override { return stagekit::kWideH; }
};

TEST_F(WideCanvasBackTest, FitModesFromTheConfiguredScreen)
{
    const struct
    {
        int proc_mode, screen_w, screen_h;
        float sx, sy;
    } cases[] = {
        {0, 1280, 720, 160, 120}, // 4:3 picture: stretched to the canvas
        {1, 1280, 720, 160, 160}, // wider screen: by the width
        {1, 960, 1280, 120, 120}, // taller screen: by the height
    };
    Run(u"BG_SET(\"bgA\");");
    for (const auto &c : cases)
    {
        avg::config::graphics_config.Not43ProcMode = hgl::uint8(c.proc_mode);
        avg::config::graphics_config.ScreenWidth = c.screen_w;
        avg::config::graphics_config.ScreenHeight = c.screen_h;
        Back().SetCurrent(u"bgA", 0);
        ClearCalls();
        Step();
        const auto pictures = recorder.Of(CallKind::Picture);
        ASSERT_EQ(pictures.size(), 1u);
        EXPECT_FLOAT_EQ(pictures[0].w, c.sx) << c.proc_mode << " " << c.screen_w;
        EXPECT_FLOAT_EQ(pictures[0].h, c.sy) << c.proc_mode << " " << c.screen_w;
    }
}

TEST_F(BackTest, FlickerZoomAndMoveViews)
{
    Run(u"BG_SET(\"bgA\");\nZOOMBG(0.2, 0.4, 0.5, 0.5);");
    const float *view = Back().GetCurrent()->GetView();
    ClearCalls();
    Step(500); // step 4: t = 0.25, with the black strip
    EXPECT_FLOAT_EQ(view[0], 0.05f);
    EXPECT_FLOAT_EQ(view[1], 0.1f);
    EXPECT_FLOAT_EQ(view[2], 0.875f);
    ASSERT_EQ(recorder.Of(CallKind::Quad).size(), 1u);
    EXPECT_TRUE(SameRect(recorder.Of(CallKind::Quad)[0], 0, 0, W, 10));
    ClearCalls();
    Step(125); // step 5: no strip, the view 0.01 lower
    EXPECT_FLOAT_EQ(view[1], 0.125f + 0.01f);
    EXPECT_TRUE(recorder.Of(CallKind::Quad).empty());
    Step(1374);
    Step(1); // 2000 ms: it stops near half way
    EXPECT_FALSE(Back().GetCurrent()->IsZooming());
    EXPECT_NEAR(view[2], 1 - 0.9995 * 0.5, 1e-4);

    Back().SetCurrent(u"bgA", 0);
    Back().MoveBackground(0.5f, 0.25f, 1, 1);
    view = Back().GetCurrent()->GetView();
    Step(); // the move's first draw takes its start time
    Step(500);
    EXPECT_FLOAT_EQ(view[0], 0.25f);
    EXPECT_FLOAT_EQ(view[1], 0.125f);
    Step(600);
    EXPECT_FLOAT_EQ(view[0], 0.5f);
    EXPECT_FALSE(Back().GetCurrent()->IsMoving());
}

TEST_F(BackTest, ShakeDrawsVerticalThenHorizontalOffsets)
{
    Run(u"BG_SET(\"bgA\");\nVIB_STP(2);");
    hgl::InitRandomSeed(stagekit::kSeed);
    const hgl::uint32 first = hgl::RandomU32(), second = hgl::RandomU32();
    hgl::InitRandomSeed(stagekit::kSeed);
    ClearCalls();
    Step();
    auto moves = recorder.Of(CallKind::Translate);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].y, float(int(first % 3) - 1));
    EXPECT_EQ(moves[0].x, float(int(second % 33) - 16));
    Step(200); // past its end: this is the last shaken frame
    ClearCalls();
    Step();
    EXPECT_TRUE(recorder.Of(CallKind::Translate).empty());
}

TEST_F(BackTest, PixelsOfFanCrossFadeAndInvert)
{
    Run(u"BG_SET(\"bgA\");\nBG_FLG(10, 2, \"bgB\");\nBG_FLG(10, 13, \"bgC\");\nFANX(10);");
    Step(250); // the fan has swept the upper half black over the red picture
    EXPECT_TRUE(stagekit::Near(Pixel(512, 40), backkit::kBlack)) << ::testing::PrintToString(Pixel(512, 40));
    EXPECT_TRUE(stagekit::Near(Pixel(512, 728), backkit::kRed));
    Step(750);
    Steps(2);
    Step(500); // a cross-fade from blue to green, half way
    EXPECT_TRUE(stagekit::Near(Pixel(100, 100), {0, 128, 127, 255}, 4))
        << ::testing::PrintToString(Pixel(100, 100));
    Step(500);
    Steps(2); // green, inverted for a second: magenta
    EXPECT_TRUE(stagekit::Near(Pixel(100, 100), {255, 0, 255, 255}))
        << ::testing::PrintToString(Pixel(100, 100));
    Step(1001); // the last inverted frame
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(100, 100), backkit::kGreen));
}
