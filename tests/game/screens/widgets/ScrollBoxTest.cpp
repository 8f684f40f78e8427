// The inertial scroll box: its glide, its layout, its input and its drawing.
#include "../../screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"

#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/scrollbox.h"
#include "gui/Button.h"
#include "support/GLTestContext.h"

namespace
{
constexpr float kBoxL = 100, kBoxT = 50, kBoxW = 400, kBoxH = 300;

// A focusable child that paints its rectangle in one colour.
class Block : public hgl::gui::Button
{
  public:
    hgl::Color4f colour;
    int draws = 0;
    Block(float l, float t, float w, float h, hgl::Color4f c = {1, 0, 0, 1}, bool takes_focus = true)
        : Button(l, t, w, h), colour(c)
    {
        focusable = takes_focus;
    }
    void Draw() override
    {
        ++draws;
        avg::screen_draw::FlatRect(left, top, width, height, colour);
    }
};

struct Glide
{
    std::vector<float> offsets, speeds;
};

// Runs the glide to its end (or 2000 frames), keeping each frame's offset and speed.
Glide RunGlide(scrollbox &box)
{
    Glide g;
    for (int i = 0; i < 2000 && box.GetScrollY() != box.GetTargetY(); ++i)
    {
        box.ScrollStep();
        g.offsets.push_back(box.GetScrollY());
        g.speeds.push_back(box.GetSpeedY());
    }
    return g;
}
} // namespace

class ScrollBoxTest : public ScreenTest
{
  protected:
    std::unique_ptr<scrollbox> box;

    // Content that takes no focus, so that the keys reach the box.
    void MakeBox(float content_w, float content_h)
    {
        Prepare();
        box = std::make_unique<scrollbox>(kBoxL, kBoxT, kBoxW, kBoxH, u"system\\k.TEX");
        box->AddObject(new Block(0, 0, content_w, content_h, {1, 0, 0, 1}, false));
        box->Refresh();
    }
};

TEST_F(ScrollBoxTest, AThousandPixelJumpSpeedsUpThenLandsExactly)
{
    MakeBox(kBoxW - 20, 3000);
    size_t first_frames = 0;
    for (const float jump : {1000.0f, -1000.0f})
    {
        SCOPED_TRACE(jump);
        box->ScrollBy(0, jump);
        EXPECT_EQ(box->GetTargetY(), jump > 0 ? 1000 : 0);
        const float from = jump > 0 ? 0 : 1000, to = jump > 0 ? 1000 : 0;
        const float start_speed = box->GetSpeedY();
        const Glide g = RunGlide(*box);
        ASSERT_EQ(box->GetScrollY(), to);
        ASSERT_GE(g.speeds.size(), 2u);
        // Faster by a tenth a frame while far, then slower, never under one pixel.
        size_t peak = 0;
        for (size_t i = 1; i < g.speeds.size(); ++i)
            if (g.speeds[i] > g.speeds[peak]) peak = i;
        EXPECT_NEAR(g.speeds[0], start_speed * 1.1f, 1e-3f * g.speeds[0]);
        for (size_t i = 1; i <= peak; ++i)
            EXPECT_NEAR(g.speeds[i], g.speeds[i - 1] * 1.1f, 1e-3f * g.speeds[i]) << i;
        ASSERT_LT(peak + 1, g.speeds.size()); // it slows down before it lands
        for (size_t i = peak + 1; i < g.speeds.size(); ++i)
        {
            EXPECT_NEAR(g.speeds[i], std::max(1.0f, g.speeds[i - 1] * 0.9f), 1e-3f * g.speeds[i]) << i;
        }
        // Never past the target, always on the way to it.
        float last = from;
        for (float o : g.offsets)
        {
            EXPECT_TRUE(jump > 0 ? (o >= last && o <= to) : (o <= last && o >= to)) << o;
            last = o;
        }
        if (jump > 0)
        {
            first_frames = g.offsets.size();
            EXPECT_GT(first_frames, 30u); // from rest it takes a while
        }
        else
            EXPECT_LT(g.offsets.size(), first_frames); // the speed carries over into the next move
    }
}

TEST_F(ScrollBoxTest, LayoutsWithNoneOneOrTwoBars)
{
    const struct
    {
        float w, h;
        bool h_bar, v_bar;
        int h_max, v_max;
    } cases[] = {
        {kBoxW - 100, kBoxH - 100, false, false, 0, 0},
        {kBoxW - 100, 1000, false, true, 0, 1000 - int(kBoxH)},
        {900, kBoxH - 50, true, false, 900 - int(kBoxW), 0},
        {900, 1000, true, true, 900 - int(kBoxW) + 15, 1000 - int(kBoxH) + 15},
    };
    Prepare();
    for (const auto &c : cases)
    {
        SCOPED_TRACE(std::to_string(int(c.w)) + "x" + std::to_string(int(c.h)));
        scrollbox b(kBoxL, kBoxT, kBoxW, kBoxH, u"system\\k.TEX");
        b.AddObject(new Block(0, 0, c.w, c.h));
        for (int pass = 0; pass < 2; ++pass) // a second layout gives the same ranges
        {
            b.AlignObjects();
            EXPECT_EQ(b.GetHorizontalBar().IsVisible(), c.h_bar);
            EXPECT_EQ(b.GetVerticalBar().IsVisible(), c.v_bar);
            EXPECT_EQ(std::max(0, int(b.GetHorizontalBar().MaxValue)), c.h_max);
            EXPECT_EQ(std::max(0, int(b.GetVerticalBar().MaxValue)), c.v_max);
            if (c.v_bar)
            {
                EXPECT_EQ(float(b.GetVerticalBar().Height), c.h_bar ? kBoxH - 15 : kBoxH);
            }
            if (c.h_bar)
            {
                EXPECT_EQ(float(b.GetHorizontalBar().Width), c.v_bar ? kBoxW - 15 : kBoxW);
            }
        }
        // Content that fits goes nowhere, whatever the input.
        if (!c.v_bar)
        {
            b.ScrollBy(0, 500);
            EXPECT_EQ(b.GetTargetY(), 0);
        }
    }
}

TEST_F(ScrollBoxTest, WheelKeysAndJoystick)
{
    MakeBox(kBoxW - 20, 3000);
    const int x = int(kBoxL + 10), y = int(kBoxT + 10);
    EXPECT_TRUE(box->Proc_MouseWheel(x, y, -120, 0));
    EXPECT_EQ(box->GetTargetY(), 32);
    EXPECT_TRUE(box->Proc_MouseWheel(x, y, 120, 0));
    EXPECT_TRUE(box->Proc_MouseWheel(x, y, 120, 0)); // at the limit: nothing moves, still handled
    EXPECT_TRUE(box->Proc_MouseWheel(x, y, 0, 0));
    EXPECT_EQ(box->GetTargetY(), 0);
    EXPECT_FALSE(box->Proc_MouseWheel(int(kBoxL - 5), y, -120, 0)); // beside the box
    box->SetEnabled(false);
    EXPECT_FALSE(box->Proc_MouseWheel(x, y, -120, 0));
    box->SetEnabled(true);

    const struct
    {
        const char *what;
        std::function<bool()> input;
        float moved;
    } steps[] = {
        {"Down", [&] { return box->Proc_KeyDown(hgl::key::Down); }, 64},
        {"Down repeated", [&] { return box->Proc_KeyRepeat(hgl::key::Down); }, 64},
        {"Up", [&] { return box->Proc_KeyDown(hgl::key::Up); }, -64},
        {"joystick 2", [&] { return box->Proc_JoystickDown(2); }, 64},
        {"joystick 2 held", [&] { return box->Proc_JoystickRepeat(2); }, 72},
        {"joystick 1 held", [&] { return box->Proc_JoystickRepeat(1); }, -72},
        {"joystick 1", [&] { return box->Proc_JoystickDown(1); }, -64},
    };
    for (const auto &s : steps)
    {
        SCOPED_TRACE(s.what);
        const float before = box->GetTargetY();
        EXPECT_TRUE(s.input());
        EXPECT_EQ(box->GetTargetY() - before, s.moved);
        EXPECT_EQ(box->GetScrollY(), 0); // the content glides at the next frames only
    }
    EXPECT_FALSE(box->Proc_KeyDown(hgl::key::Enter));
    EXPECT_FALSE(box->Proc_JoystickDown(7));
    // Content no wider than the box: Left and Right change nothing.
    EXPECT_TRUE(box->Proc_KeyDown(hgl::key::Right));
    EXPECT_EQ(box->GetTargetX(), 0);
}

TEST_F(ScrollBoxTest, AFocusedChildIsScrolledIntoViewAndTheSpeedsReset)
{
    Prepare();
    scrollbox b(kBoxL, kBoxT, kBoxW, kBoxH, u"system\\k.TEX");
    auto *first = new Block(0, 0, 100, 100), *far = new Block(0, 1000, 100, 100);
    b.AddObject(first);
    b.AddObject(far);
    b.Refresh();
    b.ScrollBy(0, 300);
    for (int i = 0; i < 20; ++i)
        b.ScrollStep();
    ASSERT_GT(b.GetSpeedY(), 1.0f);
    const float target = b.GetTargetY();

    b.SetFocusObject(far); // below the view: its bottom edge comes to the box's bottom
    EXPECT_EQ(b.GetTargetY(), 1100 - kBoxH);
    EXPECT_EQ(b.GetSpeedY(), 1.0f);
    EXPECT_EQ(b.GetSpeedX(), 1.0f);
    EXPECT_NE(b.GetTargetY(), target);

    b.SetScrollY(b.GetTargetY());
    b.SetFocusObject(first); // above the view: its top comes to the box's top
    EXPECT_EQ(b.GetTargetY(), 0);

    b.SetScrollY(0);
    b.ScrollBy(0, 50);
    for (int i = 0; i < 3; ++i)
        b.ScrollStep();
    ASSERT_GT(b.GetSpeedY(), 1.0f);
    b.SetFocusObject(first); // in view: the target stays, the speeds reset
    EXPECT_EQ(b.GetTargetY(), 50);
    EXPECT_EQ(b.GetSpeedY(), 1.0f);
}

TEST_F(ScrollBoxTest, ClipsItsChildrenDrawsOnlyThoseInViewAndLeavesNoClipBehind)
{
    Prepare();
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
    scrollbox b(kBoxL, kBoxT, kBoxW, kBoxH, u"system\\k.TEX");
    std::vector<Block *> blocks;
    for (int i = 0; i < 40; ++i)
    {
        blocks.push_back(new Block(-50, float(i * 100), kBoxW + 100, 90, {0, 1, 0, 1}));
        b.AddObject(blocks.back());
    }
    b.Refresh();
    b.SetScrollY(1000);
    b.DrawObject();
    EXPECT_EQ(b.GetDrawnCount(), 3); // rows 10, 11 and 12 show through 300 pixels
    int drawn = 0;
    for (Block *k : blocks)
        drawn += k->draws;
    EXPECT_EQ(drawn, 3);
    EXPECT_EQ(blocks[10]->draws, 1);
    // Inside the box the rows show; outside it nothing of them does.
    EXPECT_TRUE(stagekit::Near(Pixel(int(kBoxL + 5), int(kBoxT + 5)), {0, 255, 0, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(int(kBoxL - 20), int(kBoxT + 5)), {0, 0, 0, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(int(kBoxL + 5), int(kBoxT + kBoxH + 10)), {0, 0, 0, 255}));
    // Drawing after the box is not clipped.
    avg::screen_draw::FlatRect(0, 0, float(Width()), float(Height()), {0, 0, 1, 1});
    EXPECT_TRUE(stagekit::Near(Pixel(5, 5), {0, 0, 255, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(Width() - 5, Height() - 5), {0, 0, 255, 255}));
}

TEST_F(ScrollBoxTest, TheVerticalBarDrawsItsBallFromTheBandsOfItsPicture)
{
    using hgl::test::RGBA;
    constexpr RGBA kClear{0, 0, 0, 0}, kTop{255, 0, 0, 255}, kMiddle{0, 255, 0, 255}, kBottom{0, 0, 255, 255};
    AddData(u"bands.TEX", screenkit::PaintedTexture(16, 256,
                                                    [](float, float v)
                                                    {
                                                        if (v < 0.10546875f || v >= 0.89453125f)
                                                            return kClear;
                                                        if (v < 0.33203125f) return kTop;
                                                        return v < 0.66796875f ? kMiddle : kBottom;
                                                    }));
    Prepare();
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
    scrollbox b(kBoxL, kBoxT, kBoxW, kBoxH, u"bands.TEX");
    b.AddObject(new Block(0, 0, kBoxW - 20, 3 * kBoxH, {0, 0, 0, 0}, false));
    b.Refresh();
    Scrollv &bar = b.GetVerticalBar();
    ASSERT_TRUE(bar.IsVisible());
    const float w = bar.Width, l = bar.GetBallLength();
    EXPECT_NEAR(l, kBoxH - int((3 * kBoxH - kBoxH) * kBoxH / (3 * kBoxH + 1)), 1);
    b.DrawObject();
    const int x = int(kBoxL + bar.Left + w / 2);
    auto at = [&](float y) { return Pixel(x, int(kBoxT + y)); };
    EXPECT_TRUE(stagekit::Near(at(0.45f * w), kTop, 8)) << ::testing::PrintToString(at(0.45f * w));
    EXPECT_TRUE(stagekit::Near(at((l + 45) / 2), kMiddle, 8));
    EXPECT_TRUE(stagekit::Near(at(l + 45 - 0.45f * w), kBottom, 8));
    EXPECT_TRUE(stagekit::Near(at(l + 45 + 3), {0, 0, 0, 255})); // no track below the ball

    // At the end of the page the ball sits at the bottom of the bar.
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
    b.SetScrollY(float(int(bar.MaxValue)));
    b.DrawObject();
    const float p = bar.GetBallOffset();
    EXPECT_NEAR(p + l, kBoxH, 1);
    EXPECT_TRUE(stagekit::Near(at(p + 0.45f * w), kTop, 8));
    EXPECT_TRUE(stagekit::Near(at(p - 3), {0, 0, 0, 255}));
}

TEST_F(ScrollBoxTest, ALayoutAfterTheContentShrankMeasuresItAfresh)
{
    Prepare();
    scrollbox b(kBoxL, kBoxT, kBoxW, kBoxH, u"system\\k.TEX");
    auto *page = new Block(0, 0, kBoxW - 20, 1000, {1, 0, 0, 1}, false);
    b.AddObject(page);
    b.AlignObjects();
    b.SetScrollY(600);
    ASSERT_EQ(int(b.GetVerticalBar().MaxValue), 1000 - int(kBoxH));
    page->SetHeight(kBoxH + 50);
    b.AlignObjects();
    EXPECT_EQ(int(b.GetVerticalBar().MaxValue), 50);
    EXPECT_EQ(b.GetScrollY(), 50); // the offset comes back into the new range
    EXPECT_EQ(b.GetTargetY(), 50);
    page->SetHeight(100);
    b.AlignObjects();
    EXPECT_FALSE(b.GetVerticalBar().IsVisible());
    EXPECT_EQ(b.GetScrollY(), 0);
}
