// The picture viewer: growth out of a thumbnail, cross-fades, markers, the
// fade-out, the fallback picture and the screenshot key.
#include "ExtrasTestKit.h"

#include "game/screens/extras/ViewHGP.h"

using avg::stage_draw::CallKind;

namespace
{
const hgl::test::RGBA kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};
const hgl::test::RGBA kBlack{0, 0, 0, 255};

hgl::StringList *Names(std::initializer_list<const char16_t *> list)
{
    auto *names = new hgl::StringList;
    for (const char16_t *n : list)
        names->AddText(n);
    return names;
}
} // namespace

class ViewHGPTest : public ExtrasTest
{
  protected:
    ViewHGP *viewer = nullptr;

    void SetUp() override
    {
        ExtrasTest::SetUp();
        AddPicture(u"Event\\C001.HGP", 64, 48, kRed);
        AddPicture(u"Event\\C002.HGP", 64, 48, kGreen);
        AddPicture(u"Event\\C003.HGP", 64, 48, kBlue);
        AddPicture(u"BG\\BLACK.HGP", 8, 8, kBlack);
        AddPicture(u"DreamScene\\untitled.HGP", 10, 10, {255, 255, 255, 255});
        Prepare();
    }

    void OpenViewer(std::initializer_list<const char16_t *> list, float l, float t, float w, float h,
                    bool markers)
    {
        std::unique_ptr<hgl::StringList> names(Names(list));
        viewer = new ViewHGP(*names, l, t, w, h, markers);
        Run(viewer, true);
    }

    // Opened full screen, past its first (empty) frame and its opening.
    void OpenFull(std::initializer_list<const char16_t *> list, bool markers = true)
    {
        OpenViewer(list, 0, 0, float(Width()), float(Height()), markers);
        Frames(2);
        ASSERT_FALSE(viewer->IsOpening());
    }

    std::vector<avg::stage_draw::Call> Pictures() const { return recorder.Of(CallKind::Picture); }
};

TEST_F(ViewHGPTest, GrowsOutOfTheThumbnailToTheCanvasIn800ms)
{
    OpenViewer({u"C001"}, 100, 200, 64, 48, false);
    Frame(); // the first frame only takes the time
    EXPECT_TRUE(Pictures().empty());
    EXPECT_FLOAT_EQ(viewer->GetRect()[0], 100);

    Frames(25); // 400 ms of growth
    const float *r = viewer->GetRect();
    EXPECT_NEAR(r[0], 50, 1e-3);
    EXPECT_NEAR(r[1], 100, 1e-3);
    EXPECT_NEAR(r[2], 64 + (1024 - 64) / 2.0, 1e-3);
    EXPECT_NEAR(r[3], 48 + (768 - 48) / 2.0, 1e-3);
    EXPECT_TRUE(viewer->IsOpening());

    // Half way, the picture covers the half-grown rectangle and nothing else.
    ClearCalls();
    Frame();
    Checkpoint("half");
    ASSERT_EQ(Pictures().size(), 1u);
    EXPECT_NEAR(Pictures()[0].x, 50, 1e-3);
    EXPECT_NEAR(Pictures()[0].w, 544.0 / 64, 1e-3);
    EXPECT_TRUE(stagekit::Near(Pixel(52, 102), kRed));
    EXPECT_TRUE(stagekit::Near(Pixel(590, 505), kRed));
    EXPECT_TRUE(stagekit::Near(Pixel(46, 300), kBlack));
    EXPECT_TRUE(stagekit::Near(Pixel(600, 300), kBlack));
    EXPECT_TRUE(stagekit::Near(Pixel(300, 96), kBlack));

    // Esc and the right button mean nothing while it grows.
    flow->Proc_KeyDown(1);
    flow->Proc_MouseRightDown(10, 10, 0);
    EXPECT_FALSE(viewer->IsClosing());

    Frames(24); // 800 ms in all
    EXPECT_FALSE(viewer->IsOpening());
    EXPECT_FLOAT_EQ(viewer->GetRect()[2], 1024);
    Frame();
    EXPECT_TRUE(stagekit::Near(Pixel(2, 2), kRed));
    EXPECT_TRUE(stagekit::Near(Pixel(1021, 765), kRed));
}

TEST_F(ViewHGPTest, ASlowFrameCountsAsAHundredMilliseconds)
{
    OpenViewer({u"C001"}, 100, 200, 64, 48, false);
    Frame();
    Frame(5000);
    EXPECT_NEAR(viewer->GetRect()[0], 100 - 0.125 * 100, 1e-3);
    Frames(7, 100);
    EXPECT_FALSE(viewer->IsOpening());
}

TEST_F(ViewHGPTest, ClicksAreTakenWhileItGrows)
{
    OpenViewer({u"C001", u"C002"}, 100, 200, 64, 48, false);
    Frames(3);
    EXPECT_TRUE(flow->Proc_MouseLeftDown(10, 10, 0));
    EXPECT_EQ(viewer->GetIndex(), 1);
    EXPECT_TRUE(viewer->IsSwitching());
    EXPECT_TRUE(viewer->IsOpening());
}

TEST_F(ViewHGPTest, OneNameCrossFadesIntoItself)
{
    OpenFull({u"C001"}, false);
    flow->Proc_MouseLeftDown(5, 5, 0);
    EXPECT_EQ(viewer->GetIndex(), 0);
    EXPECT_TRUE(viewer->IsSwitching());
    EXPECT_EQ(viewer->GetNextPath(), viewer->GetCurrentPath());

    ClearCalls();
    Frame(); // the switch starts here
    Frame(250);
    auto p = Pictures();
    ASSERT_EQ(p.size(), 4u);
    EXPECT_FLOAT_EQ(p[1].alpha, 0);
    EXPECT_FLOAT_EQ(p[3].alpha, 0.25f);
    EXPECT_FLOAT_EQ(p[2].alpha, 1);
    Frames(3, 250);
    EXPECT_FALSE(viewer->IsSwitching());
    EXPECT_TRUE(stagekit::Near(Pixel(500, 400), kRed));
}

TEST_F(ViewHGPTest, ThreeNamesCycleAndAClickEndsARunningFade)
{
    OpenFull({u"C001", u"C002", u"C003"}, false);
    const std::vector<std::pair<int, hgl::test::RGBA>> expected = {
        {1, kGreen}, {2, kBlue}, {0, kRed}, {1, kGreen}};
    for (const auto &[index, colour] : expected)
    {
        flow->Proc_MouseLeftDown(5, 5, 0);
        EXPECT_EQ(viewer->GetIndex(), index);
        Frames(5, 250); // the first frame starts the second
        EXPECT_FALSE(viewer->IsSwitching());
        EXPECT_TRUE(stagekit::Near(Pixel(500, 400), colour)) << index;
    }

    // Half way into a fade to C003, a click makes C003 current and fades to C001.
    flow->Proc_MouseLeftDown(5, 5, 0);
    Frames(30);
    ASSERT_TRUE(viewer->IsSwitching());
    flow->Proc_MouseLeftDown(5, 5, 0);
    EXPECT_EQ(viewer->GetIndex(), 0);
    EXPECT_TRUE(viewer->GetCurrentPath() == u"Event\\C003.HGP");
    EXPECT_TRUE(viewer->GetNextPath() == u"Event\\C001.HGP");
    ClearCalls();
    Frame();
    EXPECT_TRUE(stagekit::Near(Pixel(500, 400), kBlue));
}

TEST_F(ViewHGPTest, EscFadesOutOverFiftyFramesThenReturns)
{
    OpenFull({u"C001"}, false);
    EXPECT_TRUE(flow->Proc_KeyDown(1));
    Frames(49);
    EXPECT_EQ(Active(), viewer);
    EXPECT_NEAR(viewer->GetAlpha(), 0.02f, 1e-5);
    Frame();
    EXPECT_TRUE(CallerBack());
}

TEST_F(ViewHGPTest, RightClickClosesLikeEsc)
{
    OpenFull({u"C001"}, false);
    flow->Proc_MouseRightDown(100, 100, 0);
    EXPECT_TRUE(viewer->IsClosing());
    Frames(50);
    EXPECT_TRUE(CallerBack());
}

TEST_F(ViewHGPTest, MarkersOnePerNameInTheTopLeftCorner)
{
    OpenViewer({u"C001", u"C002", u"C003"}, 0, 0, float(Width()), float(Height()), true);
    Frames(2);
    EXPECT_FALSE(viewer->IsOpening()); // a full-size start grows in its first drawn frame
    ClearCalls();
    Frame();
    auto p = Pictures();
    ASSERT_EQ(p.size(), 4u); // the picture, then three markers
    const float s = 30.0f;   // 30 x 768 / 768
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_FLOAT_EQ(p[1 + i].x, (s + 10) * i + 10);
        EXPECT_FLOAT_EQ(p[1 + i].y, 10);
        EXPECT_FLOAT_EQ(p[1 + i].w, s / 10);
    }
    Frame();
    EXPECT_TRUE(stagekit::Near(Pixel(60, 20), {255, 255, 255, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(45, 20), kRed));
}

TEST_F(ViewHGPTest, WithoutMarkersNoneAreDrawn)
{
    OpenFull({u"C001", u"C002"}, false);
    ClearCalls();
    Frame();
    EXPECT_EQ(Pictures().size(), 1u);
}

TEST_F(ViewHGPTest, AMissingNameShowsTheBlackFallback)
{
    OpenFull({u"C404"}, false);
    EXPECT_TRUE(viewer->GetCurrentPath() == u"BG\\BLACK.HGP");
    EXPECT_TRUE(log.ContainsPart(u"Event\\C404.HGP"));
    EXPECT_TRUE(stagekit::Near(Pixel(500, 400), kBlack));
}

TEST_F(ViewHGPTest, F1WritesAScreenshot)
{
    OpenFull({u"C001"}, false);
    Frame();
    EXPECT_FALSE(dir.Exists("ScreenShot") && !dir.List("ScreenShot").empty());
    EXPECT_TRUE(flow->Proc_KeyDown(2));
    ASSERT_TRUE(dir.Exists("ScreenShot"));
    EXPECT_EQ(dir.List("ScreenShot").size(), 1u);
    EXPECT_FALSE(viewer->IsClosing());
}

TEST_F(ViewHGPTest, AnEmptyListShowsNothingAndStillCloses)
{
    OpenFull({}, false);
    flow->Proc_MouseLeftDown(5, 5, 0);
    flow->Proc_KeyDown(1);
    Frames(50);
    EXPECT_TRUE(CallerBack());
}
