// The title screen on the screen harness: the first start (notice, logo movie,
// logo layers, subtitle, button cascade), the button sets and their switches, the
// actions and the screens they open, Esc and the right click, and the layout.
#include "game/screenkit/MarkerLinks.h"
#include "game/screenkit/ScreenHarness.h"
#include "game/stagekit/FakeMovie.h"

#include "game/core/GameRecord.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/screens/title/VamUnit.h"
#include "game/screens/title/WantExit.h"
#include "game/screens/title/health.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/hgp/HGP.h"

#include <functional>

namespace
{
using Button = hgl::gui::TZHGPButton;

class TitleScreenTest : public ScreenTest
{
  protected:
    // Hundreds of full-canvas frames: a smaller canvas keeps them quick.
    int Width() const override { return 512; }
    int Height() const override { return 384; }

    stagekit::FakeMovies movies{wiring};
    screenkit::MarkerLinks links;
    NewStartMenu *title = nullptr;

    // The title as the first screen, every link a marker.
    void OpenTitle(bool first, int extras_flag = 1)
    {
        Prepare();
        links.Install(wiring);
        avg::SetSystemFlag(NewStartMenu::kExtrasFlag, extras_flag);
        title = new NewStartMenu(first, wiring);
        Open(title);
    }

    // Frames until the condition holds; false when it did not within the limit.
    bool StepUntil(const std::function<bool()> &done, int limit = 1000)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (done()) return true;
            Step();
        }
        return done();
    }
    // The title has come in and takes input.
    bool Settle()
    {
        return StepUntil([&] { return !title->IsBusy() && !title->IsSwitching() && !title->IsFirstStart(); });
    }
    void Press(Button *b)
    {
        ASSERT_NE(b, nullptr);
        LeftClick(int(b->Left + b->Width / 2), int(b->Top + b->Height / 2));
    }
    void ToExtras()
    {
        Press(title->GetMainButton(2));
        ASSERT_TRUE(Settle());
        ASSERT_TRUE(title->IsExtrasShown());
    }
    bool Has(const std::string &call) const
    {
        return std::find(sounds.begin(), sounds.end(), call) != sounds.end();
    }
    int Count(int sound) const { return int(std::count(system_sounds.begin(), system_sounds.end(), sound)); }
};

using TitleFirstStartTest = TitleScreenTest;
} // namespace

TEST_F(TitleFirstStartTest, NoticeLogoMovieThenLayersSubtitleAndCascadeWithInputDead)
{
    movies.frames = 5;
    OpenTitle(true);
    // The constructor stops the story's sound and calls the notice; the music waits.
    EXPECT_EQ(sounds, std::vector<std::string>{"stop se -1"});
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"NewStartMenu", "health"}));
    EXPECT_FALSE(title->IsVisible());
    ASSERT_TRUE(StepUntil([&] { return Active() == title; }));
    ASSERT_EQ(movies.made.size(), 1u);
    EXPECT_EQ(movies.made[0].movie.ToStdString(), u"Video\\logo.ogv");
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop se -1", "music BGM33 loop"}));

    hgl::HGP *logo = title->GetLogo();
    ASSERT_EQ(logo->LayerCount, 3);
    int frame = 0, faded_in = -1, layer_start[3] = {-1, -1, -1}, subtitle_start = -1, cascade = -1;
    int button_start[4] = {-1, -1, -1, -1};
    float before[3] = {0, 0, 0};
    while (title->IsFirstStart() || title->IsSwitching())
    {
        ASSERT_LT(frame, 1000);
        for (int i = 0; i < 3; ++i)
            before[i] = logo->GetLayer(i)->Color.a;
        // Nothing the player does counts until the cascade is over.
        ClearSounds();
        EXPECT_FALSE(Key(hgl::key::Esc));
        Key(hgl::key::Enter); // the focused button takes it, and has no click closure
        RightClick(10, 10);
        Press(title->GetMainButton(0));
        Step();
        ++frame;
        EXPECT_EQ(Count(NewStartMenu::kEscSound), 0);
        EXPECT_EQ(title->GetAction(), NewStartMenu::acNone);
        EXPECT_EQ(Depth(), 1);

        if (faded_in < 0 && !title->IsBusy()) faded_in = frame;
        for (int i = 0; i < 3; ++i)
            if (layer_start[i] < 0 && logo->GetLayer(i)->Color.a > 0)
            {
                layer_start[i] = frame;
                // A layer starts once the one before it is past 0.8.
                if (i > 0)
                {
                    EXPECT_GT(before[i - 1] + NewStartMenu::kFadeStep, NewStartMenu::kLogoNextAt);
                }
            }
        if (subtitle_start < 0 && title->GetSubtitleAlpha() > 0) subtitle_start = frame;
        if (cascade < 0 && !title->IsFirstStart()) cascade = frame;
        for (int i = 0; i < 4; ++i)
        {
            Button *b = title->GetMainButton(i);
            if (cascade < 0)
            {
                EXPECT_EQ(b->GetAlpha(), 0.0f) << "button " << i << " frame " << frame;
            }
            if (button_start[i] < 0 && b->GetAlpha() > 0) button_start[i] = frame;
        }
    }
    // 50 frames from black, then the three layers 40 frames apart, each 50 frames
    // long, the subtitle's 50 frames, and the buttons right to left.
    EXPECT_NEAR(faded_in, 51, 1);
    EXPECT_NEAR(layer_start[0], faded_in + 1, 1);
    EXPECT_NEAR(layer_start[1] - layer_start[0], 41, 1);
    EXPECT_NEAR(layer_start[2] - layer_start[1], 41, 1);
    EXPECT_NEAR(subtitle_start - layer_start[2], 50, 1);
    EXPECT_NEAR(cascade - subtitle_start, 49, 1);
    EXPECT_LT(button_start[3], button_start[2]);
    EXPECT_LT(button_start[2], button_start[1]);
    EXPECT_LT(button_start[1], button_start[0]);
    EXPECT_NEAR(button_start[2] - button_start[3], 20, 1); // 0.02 a frame past 0.4
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(title->GetMainButton(i)->GetAlpha(), 1.0f);

    // Now the buttons work.
    Press(title->GetMainButton(1));
    EXPECT_EQ(title->GetAction(), NewStartMenu::acLoad);
}

TEST_F(TitleFirstStartTest, AFirstStartWithTheExtrasLockedSkipsTheMissingButton)
{
    movies.frames = 1;
    OpenTitle(true, 0);
    ASSERT_TRUE(StepUntil([&] { return Active() == title; }));
    EXPECT_EQ(title->GetMainButton(2), nullptr);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(title->GetMainButton(3)->GetAlpha(), 1.0f);
    EXPECT_EQ(title->GetMainButton(0)->GetAlpha(), 1.0f);
}

TEST_F(TitleScreenTest, TheMainSetFollowsTheFlagAtEachBuild)
{
    OpenTitle(false, 1);
    ASSERT_TRUE(Settle());
    const float W = float(Width()), H = float(Height());
    // Right to left from 1114 on the 3200 grid, 40 apart, at 900 of 2400.
    float x = W * 1114 / 3200;
    for (int i = 0; i < 4; ++i)
    {
        Button *b = title->GetMainButton(i);
        ASSERT_NE(b, nullptr);
        hgl::HGP *picture = b->GetPicture();
        EXPECT_FLOAT_EQ(b->Left, x) << i;
        EXPECT_FLOAT_EQ(b->Top, H * 900 / 2400);
        EXPECT_FLOAT_EQ(b->Width, W * float(picture->Width) / 3200);
        EXPECT_FLOAT_EQ(b->Height, H * float(picture->Height) / 2400);
        x -= b->Width + W * 40 / 3200;
    }
    EXPECT_EQ(title->GetButtonCount(), 4);
    const float exit_with_extras = title->GetMainButton(3)->Left;
    const float extras_left = title->GetMainButton(2)->Left;

    // Locked again while the extras are shown: the main set comes back with three
    // buttons, exit where the extras button stood.
    ToExtras();
    avg::SetSystemFlag(NewStartMenu::kExtrasFlag, 0);
    Key(hgl::key::Esc);
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(title->IsExtrasShown());
    EXPECT_EQ(title->GetButtonCount(), 3);
    EXPECT_EQ(title->GetMainButton(2), nullptr);
    EXPECT_FLOAT_EQ(title->GetMainButton(3)->Left, extras_left);
    EXPECT_NE(title->GetMainButton(3)->Left, exit_with_extras);
    // The control holds exactly the buttons of the set: the old ones left it.
    int buttons = 0;
    for (int i = 0; i < title->Control->GetObjectList().GetCount(); ++i)
        if (dynamic_cast<hgl::gui::Button *>(title->Control->GetObjectList()[i])) ++buttons;
    EXPECT_EQ(buttons, 3);
}

TEST_F(TitleScreenTest, EscOnTheMainSetAsksToExitAndOnTheExtrasSwitchesBack)
{
    OpenTitle(false);
    ASSERT_TRUE(Settle());
    ClearSounds();
    EXPECT_TRUE(Key(hgl::key::Esc));
    EXPECT_EQ(system_sounds, std::vector<int>{NewStartMenu::kEscSound});
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"NewStartMenu", "WantExit"}));
    EXPECT_TRUE(title->IsVisible()); // an overlay: the title stays drawn
    Key(hgl::key::Esc);              // no to the question
    Step();
    ASSERT_EQ(Active(), title);

    ToExtras();
    ClearSounds();
    EXPECT_TRUE(Key(hgl::key::Esc));
    EXPECT_EQ(system_sounds, std::vector<int>{NewStartMenu::kEscSound});
    EXPECT_TRUE(title->IsSwitching());
    // A second Esc during the switch does nothing.
    EXPECT_FALSE(Key(hgl::key::Esc));
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(title->IsExtrasShown());
    EXPECT_EQ(Depth(), 1);
    EXPECT_EQ(system_sounds, std::vector<int>{NewStartMenu::kEscSound});
}

TEST_F(TitleScreenTest, TheRightClickActsOnlyOnTheExtrasSet)
{
    OpenTitle(false);
    ASSERT_TRUE(Settle());
    ClearSounds();
    EXPECT_TRUE(flow->Proc_MouseRightDown(10, 10, 0));
    Step();
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(system_sounds.empty());

    ToExtras();
    EXPECT_TRUE(flow->Proc_MouseRightDown(10, 10, 0));
    EXPECT_EQ(system_sounds, std::vector<int>{NewStartMenu::kEscSound});
    ASSERT_TRUE(Settle());
    EXPECT_FALSE(title->IsExtrasShown());
}

TEST_F(TitleScreenTest, TheSwitchCascadesOneButtonAfterTheOther)
{
    OpenTitle(false);
    ASSERT_TRUE(Settle());
    Press(title->GetMainButton(2));
    std::vector<float> previous;
    int frames = 0;
    bool extras_seen = false;
    while (title->IsSwitching())
    {
        ASSERT_LT(++frames, 500);
        Step();
        if (!title->IsExtrasShown())
        {
            // Going out from button 3 down: a button fades once the next is below 0.4.
            for (int i = 0; i < 3; ++i)
                if (title->GetMainButton(i)->GetAlpha() < 1)
                {
                    EXPECT_LT(title->GetMainButton(i + 1)->GetAlpha(), NewStartMenu::kCascadeAt);
                }
            continue;
        }
        extras_seen = true;
        EXPECT_EQ(title->GetMainButton(0), nullptr);
        for (int i = 0; i < 3; ++i)
            if (title->GetExtrasButton(i)->GetAlpha() > 0)
            {
                EXPECT_GT(title->GetExtrasButton(i + 1)->GetAlpha(), NewStartMenu::kCascadeAt);
            }
        // Input is dead while it runs.
        if (title->IsSwitching())
        {
            EXPECT_FALSE(Key(hgl::key::Esc));
        }
    }
    EXPECT_TRUE(extras_seen);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(title->GetExtrasButton(i)->GetAlpha(), 1.0f);
    const float W = float(Width());
    float x = W * 409 / 3200;
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FLOAT_EQ(title->GetExtrasButton(i)->Left, x);
        x += title->GetExtrasButton(i)->Width + W * 40 / 3200;
    }
}

namespace
{
struct ActionCase
{
    bool extras;
    int button;
    int action;
    const char *screen;
    int state;
};

class TitleActionTest : public TitleScreenTest, public ::testing::WithParamInterface<ActionCase>
{
};

const ActionCase kActions[] = {
    {false, 0, NewStartMenu::acNewGame, "new game", hgl::FlowObject::fosReplace},
    {false, 1, NewStartMenu::acLoad, "load", hgl::FlowObject::fosCall},
    {true, 0, NewStartMenu::acMovies, "movies", hgl::FlowObject::fosCall},
    {true, 1, NewStartMenu::acGlossary, "glossary", hgl::FlowObject::fosCall},
    {true, 2, NewStartMenu::acMusic, "music", hgl::FlowObject::fosCall},
    {true, 3, NewStartMenu::acAlbum, "album", hgl::FlowObject::fosCall},
};
} // namespace

TEST_P(TitleActionTest, EachActionFadesOutRestsOnBlackAndOpensItsScreen)
{
    const ActionCase &c = GetParam();
    OpenTitle(false);
    ASSERT_TRUE(Settle());
    if (c.extras) ToExtras();
    ClearSounds();
    state_log.clear();
    Press(c.extras ? title->GetExtrasButton(c.button) : title->GetMainButton(c.button));
    EXPECT_EQ(title->GetAction(), c.action);
    // Only a new game stops the music, at once.
    EXPECT_EQ(Has("stop music"), c.action == NewStartMenu::acNewGame);

    int frames = 0, black = 0;
    while (state_log.empty() && frames < 200)
    {
        // A second choice during the fade counts for nothing.
        Press(title->GetMainButton(0) ? title->GetMainButton(0) : title->GetExtrasButton(0));
        EXPECT_FALSE(Key(hgl::key::Esc));
        Step();
        ++frames;
        if (state_log.empty() && title->GetAlpha() == 0) ++black;
        if (state_log.empty() && title->GetAlpha() + NewStartMenu::kFadeStep <= NewStartMenu::kBlackBelow)
        {
            EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
        }
    }
    // 50 frames of fade, 20 on black.
    EXPECT_NEAR(frames, 70, 1);
    EXPECT_EQ(black, NewStartMenu::kWaitFrames);
    EXPECT_EQ(links.opened, std::vector<std::string>{c.screen});
    ASSERT_EQ(state_log.size(), 1u);
    EXPECT_EQ(state_log[0], "NewStartMenu " + std::to_string(c.state) + " MarkerScreen");
    if (c.state == hgl::FlowObject::fosReplace)
    {
        EXPECT_EQ(Stack(), std::vector<std::string>{"MarkerScreen"});
    }
    else
        EXPECT_EQ(Stack(), (std::vector<std::string>{"NewStartMenu", "MarkerScreen"}));
    EXPECT_EQ(MarkerName(Active()), c.screen);
}

INSTANTIATE_TEST_SUITE_P(Actions, TitleActionTest, ::testing::ValuesIn(kActions),
                         [](const ::testing::TestParamInfo<ActionCase> &info)
                         {
                             std::string name = info.param.screen;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST_F(TitleScreenTest, AfterAnExtrasScreenTheExtrasSetFadesBackIn)
{
    OpenTitle(false);
    ASSERT_TRUE(Settle());
    ToExtras();
    Press(title->GetExtrasButton(3));
    ASSERT_TRUE(StepUntil([&] { return Active() != title; }));
    EXPECT_FALSE(title->IsVisible());
    Steps(3);
    Active()->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    ASSERT_EQ(Active(), title);
    EXPECT_TRUE(title->IsExtrasShown());
    EXPECT_TRUE(title->IsBusy());
    Step();
    EXPECT_NEAR(title->GetExtrasButton(0)->GetAlpha(), title->GetAlpha(), 1e-6);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(title->GetAlpha(), 1.0f);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(title->GetExtrasButton(i)->GetAlpha(), 1.0f);
    // The extras work again, and the music played on throughout.
    EXPECT_FALSE(Has("stop music"));
    Press(title->GetExtrasButton(2));
    EXPECT_EQ(title->GetAction(), NewStartMenu::acMusic);
}

TEST_F(TitleScreenTest, AScreenThatIsNotThereBringsTheTitleBack)
{
    OpenTitle(false);
    wiring.links = {};
    ASSERT_TRUE(Settle());
    Press(title->GetMainButton(1));
    ASSERT_TRUE(StepUntil([&] { return title->IsFadingIn(); }));
    EXPECT_EQ(Depth(), 1);
    EXPECT_TRUE(log.ContainsPart(u"读取存档")) << log.Dump();
    ASSERT_TRUE(Settle());
    Press(title->GetMainButton(1));
    EXPECT_EQ(title->GetAction(), NewStartMenu::acLoad);
}

TEST_F(TitleScreenTest, ANormalStartPlaysTheMusicAtOnceAndFadesEverythingIn)
{
    OpenTitle(false);
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop se -1", "music BGM33 loop"}));
    EXPECT_EQ(title->GetBalls()->GetCount(), 50);
    Step();
    // At first all black, the buttons no more than the screen.
    EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
    EXPECT_NEAR(title->GetMainButton(0)->GetAlpha(), title->GetAlpha(), 1e-6);
    EXPECT_NEAR(title->GetLogo()->GetLayer(0)->Color.a, 0.0f, 1e-6);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(title->GetLogo()->GetLayer(2)->Color.a, 1.0f);
    Step();
    Checkpoint("title");
    EXPECT_FALSE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
}
