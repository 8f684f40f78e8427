// The exit confirmation over the title: the dim, the panel and its buttons, and
// the ways out.
#include "TitleFixture.h"

#include "game/screens/title/WantExit.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/hgp/HGP.h"

namespace
{
constexpr int kPanelW = 800, kPanelH = 300; // pixels of the panel picture
const hgl::test::RGBA kGrey{200, 200, 200, 255};
const hgl::test::RGBA kPanel{30, 60, 220, 255};
const hgl::test::RGBA kYes{20, 200, 20, 255}, kNo{200, 20, 20, 255};

std::vector<uint8_t> ButtonPicture(hgl::test::RGBA colour)
{
    return screenkit::LayeredPicture(
        32, 32, {{u"Normal", colour}, {u"Disable", colour}, {u"Select", colour}, {u"Push", colour}});
}

class WantExitTest : public TitleTest
{
  protected:
    WantExit *dialog = nullptr;

    void SetUp() override
    {
        TitleTest::SetUp();
        AddSolidPicture(u"StartMenu\\ExitBack.HGP", kPanelW, kPanelH, kPanel);
        AddData(u"StartMenu\\ExitYes.HGP", ButtonPicture(kYes));
        AddData(u"StartMenu\\ExitNo.HGP", ButtonPicture(kNo));
    }
    // The title pushes the dialog over itself; the first frame shows it.
    void OpenDialog()
    {
        Begin();
        title->paint = true;
        title->ground = kGrey;
        dialog = new WantExit;
        Open(dialog);
        Step();
        ASSERT_EQ(Active(), dialog);
    }
    bool BackAtTitle() const { return Active() == title && title->returns == 1 && flow->IsRunning(); }
};
} // namespace

TEST_F(WantExitTest, DimsTheTitleToSevenTenthsIn28Frames)
{
    OpenDialog();
    // Frame k darkens by what the dim was before it: 0.025 (k - 1).
    for (int frame = 2; frame <= 10; ++frame)
        Step();
    const int seen = int(200 * (1 - 0.025f * 9));
    EXPECT_NEAR(Pixel(5, 5).r, seen, 2);
    EXPECT_NEAR(dialog->GetDim(), 0.25f, 1e-5);
    EXPECT_NEAR(dialog->GetYesButton()->GetAlpha(), 0.25f / 0.7f, 1e-5);

    Steps(18); // 28 frames in all
    EXPECT_NEAR(dialog->GetDim(), 0.7f, 1e-5);
    EXPECT_NEAR(dialog->GetNoButton()->GetAlpha(), 1.0f, 1e-5);
    Steps(20);
    EXPECT_FLOAT_EQ(dialog->GetDim(), 0.7f); // and no further
    // The title keeps 30 % of its brightness beside the panel.
    EXPECT_TRUE(stagekit::Near(Pixel(5, 5), {60, 60, 60, 255}, 2)) << testing::PrintToString(Pixel(5, 5));
    EXPECT_TRUE(stagekit::Near(Pixel(Width() - 5, 5), {60, 60, 60, 255}, 2));
    Checkpoint("dimmed");
}

TEST_F(WantExitTest, PanelAndButtonsSitOnTheDesignGrid)
{
    OpenDialog();
    Steps(40);
    const float W = float(Width()), H = float(Height());
    const float px = 40 * W / 1600, py = 1195 * H / 2400, pw = kPanelW * W / 1600, ph = kPanelH * H / 1200;
    const float bw = 218 * W / 3200, bh = 193 * H / 2400, top = py + ph - 30 * H / 2400;
    const auto *yes = dialog->GetYesButton(), *no = dialog->GetNoButton();
    EXPECT_FLOAT_EQ(yes->Left, px + pw / 3 - bw / 2);
    EXPECT_FLOAT_EQ(no->Left, px + 2 * pw / 3 - bw / 2);
    EXPECT_FLOAT_EQ(yes->Top, top);
    EXPECT_FLOAT_EQ(no->Top, top);
    EXPECT_FLOAT_EQ(yes->Width, bw);
    EXPECT_FLOAT_EQ(yes->Height, bh);
    EXPECT_TRUE(no->HasFocus());
    // The panel in full, and each button over it.
    EXPECT_TRUE(stagekit::Near(Pixel(int(px + 4), int(py + 4)), kPanel));
    EXPECT_TRUE(stagekit::Near(Pixel(int(yes->Left + bw / 2), int(top + bh / 2)), kYes));
    EXPECT_TRUE(stagekit::Near(Pixel(int(no->Left + bw / 2), int(top + bh / 2)), kNo));
}

TEST_F(WantExitTest, NoEscAndRightClickGoBackToTheTitle)
{
    for (const char *way : {"no", "Esc", "right click", "Enter"})
    {
        OpenDialog();
        Steps(5);
        EXPECT_FALSE(Key(55)); // other keys are not taken
        const std::string w = way;
        if (w == "no")
            ASSERT_TRUE(ClickOn(u"no"));
        else if (w == "Esc")
            EXPECT_TRUE(Key(1));
        else if (w == "right click")
            RightClick(500, 20);
        else
            Key(54); // on the focused no
        Step();
        EXPECT_TRUE(BackAtTitle()) << way;
        EXPECT_EQ(Depth(), 1);
    }
}

TEST_F(WantExitTest, YesFadesToBlackThenEndsTheProgram)
{
    OpenDialog();
    Steps(30);
    LeftClick(3, 3); // a left click off the buttons does nothing
    Step();
    EXPECT_FALSE(dialog->IsExiting());
    ASSERT_TRUE(ClickOn(u"yes"));
    int frames = 0;
    while (flow->IsRunning() && frames < 200)
    {
        Step();
        ++frames;
        if (frames == 25)
        {
            // Half way: the screen is half black, the panel half faded.
            EXPECT_NEAR(dialog->GetExitFade(), 0.5f, 0.021f);
            EXPECT_LT(Pixel(5, 5).r, 40);
            Checkpoint("exit_fade");
        }
    }
    EXPECT_NEAR(frames, 50, 1);
    EXPECT_FALSE(flow->IsRunning());
    ASSERT_FALSE(state_log.empty());
    EXPECT_EQ(state_log.back(), "WantExit 7");
    EXPECT_EQ(title->returns, 0);
}

TEST_F(WantExitTest, EscDuringTheExitFadeStillCancels)
{
    for (const bool right_click : {false, true})
    {
        OpenDialog();
        Steps(30);
        ASSERT_TRUE(ClickOn(u"yes"));
        Steps(20);
        ASSERT_TRUE(dialog->IsExiting());
        if (right_click)
            RightClick(10, 10);
        else
            Key(1);
        Step();
        EXPECT_TRUE(BackAtTitle()) << (right_click ? "right click" : "Esc");
        Steps(60);
        EXPECT_TRUE(flow->IsRunning());
    }
}
