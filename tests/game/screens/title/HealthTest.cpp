// The health notice and the logo movie that follows it, on the test clock.
#include "TitleFixture.h"

#include "game/screens/title/health.h"
#include "tools/mkdemo/DemoContent.h"

#include <chrono>

namespace
{
const hgl::test::RGBA kNotice{40, 200, 120, 255};

class HealthTest : public TitleTest
{
  protected:
    health *notice = nullptr;

    // Hundreds of full-canvas frames: a small canvas keeps them quick.
    int Width() const override { return 256; }
    int Height() const override { return 192; }

    void SetUp() override
    {
        TitleTest::SetUp();
        AddSolidPicture(u"StartMenu\\jkgg.HGP", 16, 12, kNotice);
    }
    // The title calls the notice over itself at the first start.
    void OpenNotice()
    {
        Begin();
        notice = new health(wiring);
        Call(notice);
        ASSERT_EQ(Active(), notice);
    }
    // Frames of ms each until the notice is gone; their count.
    int RunNotice(int ms, int limit = 5000)
    {
        int frames = 0;
        while (Active() == notice && frames < limit)
        {
            Step(ms);
            ++frames;
        }
        return frames;
    }
};
} // namespace

TEST_F(HealthTest, BlackThenFadeInHoldFadeOutThenTheLogo)
{
    OpenNotice();
    int frame = 0;
    float last_overlay = 1;
    int first_fade_in = -1, fade_in_done = -1, first_fade_out = -1, logo = -1;
    while (logo < 0 && frame < 1000)
    {
        const hgl::uint32 counted = notice->GetElapsed();
        Step();
        ++frame;
        if (Active() != notice)
        {
            logo = frame;
            break;
        }
        const float overlay = notice->GetOverlay();
        if (first_fade_in < 0 && overlay < 1)
        {
            first_fade_in = frame;
            // The whole first second of counted time was black.
            EXPECT_LE(counted, health::kFadeInAfterMs + stagekit::kFrameMs);
            EXPECT_GT(notice->GetElapsed(), health::kFadeInAfterMs);
        }
        if (fade_in_done < 0 && first_fade_in > 0 && overlay <= 0) fade_in_done = frame;
        if (first_fade_out < 0 && fade_in_done > 0 && overlay > last_overlay)
        {
            first_fade_out = frame;
            EXPECT_GT(notice->GetElapsed(), health::kFadeOutAfterMs);
            EXPECT_LE(notice->GetElapsed(), health::kFadeOutAfterMs + stagekit::kFrameMs);
        }
        if (fade_in_done > 0 && first_fade_out < 0)
        {
            EXPECT_LE(overlay, 0.0f);
        }
        last_overlay = overlay;
    }
    // The first frame counts nothing: 1000 ms are passed at the 64th frame of 16 ms.
    EXPECT_EQ(first_fade_in, 64);
    EXPECT_NEAR(fade_in_done - first_fade_in, 100, 1);
    EXPECT_EQ(first_fade_out, 189); // 3000 ms passed
    EXPECT_NEAR(logo - first_fade_out, 100, 1);

    // The logo replaced the notice, which cannot be skipped, nor can the logo.
    ASSERT_EQ(movies.made.size(), 1u);
    EXPECT_EQ(movies.made[0].movie.ToStdString(), u"Video\\logo.ogv");
    EXPECT_EQ(movies.made[0].sound.ToStdString(), u"Video\\logo.ogg");
    EXPECT_FALSE(movies.made[0].end_on_key);
    EXPECT_FALSE(movies.made[0].end_on_mouse);
    EXPECT_EQ(flow->GetScreenCount(), 2);
    EXPECT_EQ(title->returns, 0);

    // When the movie is over the title is back and told so.
    for (int i = 0; i < movies.frames + 2 && Active() != title; ++i)
        Step();
    EXPECT_EQ(Active(), title);
    EXPECT_EQ(title->returns, 1);
    EXPECT_EQ(flow->GetScreenCount(), 1);
}

TEST_F(HealthTest, FramesAreCountedUpToATenthOfASecond)
{
    struct Case
    {
        int ms;
        hgl::uint32 counted;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{16, 16}, Case{99, 99}, Case{100, 100}, Case{101, 100},
                         Case{5000, 100}})
    {
        OpenNotice();
        Step(5000); // the first frame counts nothing, however late
        EXPECT_EQ(notice->GetElapsed(), 0u);
        Step(c.ms);
        EXPECT_EQ(notice->GetElapsed(), c.counted) << c.ms << " ms";
    }
}

TEST_F(HealthTest, SlowFramesStretchTheNoticeButGetPastIt)
{
    OpenNotice();
    const int fast = RunNotice(stagekit::kFrameMs);
    ASSERT_NE(Active(), notice);

    OpenNotice();
    const int slow = RunNotice(250); // 4 frames a second: each counts 100 ms
    ASSERT_NE(Active(), notice) << "stuck on slow frames";
    // 11 frames to the first second, 100 to fade in (3000 ms long passed by then), 100 out.
    EXPECT_NEAR(slow, 12 + 100 + 100, 2);
    EXPECT_GT(slow * 250, fast * stagekit::kFrameMs); // longer in time
    EXPECT_EQ(movies.made.size(), 2u);
}

TEST_F(HealthTest, InputDoesNothing)
{
    OpenNotice();
    for (int i = 0; i < 120; ++i)
    {
        Key(1);
        Key(54);
        LeftClick(10, 10);
        RightClick(10, 10);
        Joystick(7);
        Step();
        ASSERT_EQ(Active(), notice);
    }
    RunNotice(stagekit::kFrameMs);
    ASSERT_EQ(movies.made.size(), 1u);
    stagekit::FakeMovie *logo = movies.last;
    ASSERT_EQ(Active(), logo);
    Key(1);
    LeftClick(10, 10);
    RightClick(10, 10);
    EXPECT_EQ(logo->ignored_input, 3);
    EXPECT_EQ(logo->ObjectState, hgl::FlowObject::fosOK);
}

TEST_F(HealthTest, ThePictureShowsThroughTheBlack)
{
    OpenNotice();
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
    while (notice->GetOverlay() > 0.5f)
        Step();
    // Part black over the picture, scaled to the whole canvas.
    Step();
    const float a = 1 - notice->GetOverlay() - health::kFadeStep; // drawn before the step
    const hgl::test::RGBA seen{uint8_t(kNotice.r * a), uint8_t(kNotice.g * a), uint8_t(kNotice.b * a), 255};
    for (const auto &[x, y] : {std::pair{1, 1}, std::pair{Width() - 2, Height() - 2}})
        EXPECT_TRUE(stagekit::Near(Pixel(x, y), seen, 4)) << testing::PrintToString(Pixel(x, y));
    while (notice->GetOverlay() > 0)
        Step();
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), kNotice));
    Checkpoint("notice");
}

// The demo's own logo movie, decoded for real: the title comes back when it ends.
class RealLogoTest : public HealthTest
{
  protected:
    void AddContent(hgl::demo::DemoContent &demo) override
    {
        HealthTest::AddContent(demo);
        hgl::demo::AddMedia(demo);
    }
};

TEST_F(RealLogoTest, PlaysTheDemoLogoThenReturns)
{
    wiring.movie = {}; // the real player
    OpenNotice();
    RunNotice(stagekit::kFrameMs);
    ASSERT_NE(Active(), notice);
    ASSERT_NE(Active(), title) << "the logo did not open";
    bool shown = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (Active() != title && std::chrono::steady_clock::now() < end)
    {
        Step();
        const auto p = Pixel(Width() / 2, Height() / 2);
        shown = shown || p.r + p.g + p.b > 60;
    }
    EXPECT_EQ(Active(), title);
    EXPECT_EQ(title->returns, 1);
    EXPECT_TRUE(shown) << "no frame of the logo was seen";
}
