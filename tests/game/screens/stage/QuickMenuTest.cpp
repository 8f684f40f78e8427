// The message window's quick menu: its slide, its close test, its two
// confirmations, and when the frame button opens it.
#include "StageScreens.h"

#include "game/core/Config.h"
#include "game/core/GameUnit.h"
#include "game/screens/stage/MsgBoxMenu.h"
#include "game/screens/widgets/HGPSelect.h"
#include "game/screens/widgets/MsgButton.h"
#include "gui/HGPButton.h"

namespace
{
constexpr float kLeft = 600, kWidth = 200, kHeight = 200;
} // namespace

class QuickMenuTest : public StageScreenTest
{
  protected:
    MsgBoxMenu *menu = nullptr;

    // The game waiting at a line of a script, with the frame button made.
    void StartWaiting(const char16_t *script = u"func main() { MES(\"一\"); T_MARK(1); MES(\"二\"); }")
    {
        AddScript(u"T", script);
        StartGame(u"T");
        Steps(3);
    }

    // A menu over the game, from a frame button at (kLeft, top).
    void OpenMenu(float top)
    {
        menu = new MsgBoxMenu(kLeft, top, kWidth, kHeight, game);
        Open(menu);
        Step(); // pushed and drawn once
    }

    // The frames until the menu has built its items (or 100).
    int FramesToBuild()
    {
        int frames = 1;
        while (!menu->IsBuilt() && frames < 100)
        {
            Step();
            ++frames;
        }
        return frames;
    }

    // The pointer that enters the frame button.
    void PointAtFrameButton()
    {
        const hgl::gui::Button *button = game->GetFrameButton();
        ASSERT_NE(button, nullptr);
        MouseMove(int(button->Left + button->Width / 2), int(button->Top + button->Height - 2));
    }
};

TEST_F(QuickMenuTest, ItSlidesDownBuildsItsItemsAndSlidesBackWhenThePointerLeaves)
{
    StartWaiting();
    OpenMenu(-100);
    EXPECT_FLOAT_EQ(menu->GetTop(), -95);
    MouseMove(10, 10); // outside, before the items exist: nothing happens
    EXPECT_EQ(FramesToBuild(), 20);
    EXPECT_FLOAT_EQ(menu->GetTop(), 0);
    EXPECT_TRUE(menu->IsOpening());
    const float sx = float(Width()) / 1600, sy = float(Height()) / 1200;
    hgl::gui::HGPButton *pass = menu->GetButton(MsgBoxMenu::AutoPass);
    ASSERT_NE(pass, nullptr);
    EXPECT_FLOAT_EQ(pass->Top, 39 * sy);
    EXPECT_FLOAT_EQ(menu->GetButton(MsgBoxMenu::AutoPlay)->Top, 123 * sy);
    EXPECT_FLOAT_EQ(pass->Height, 64 * sy);
    EXPECT_TRUE(pass->HasFocus());
    EXPECT_FLOAT_EQ(menu->GetPointerX(), kLeft - 32 * sx);
    EXPECT_FLOAT_EQ(menu->GetPointerY(), 39 * sy + (64 * sy - 32 * sy) / 2);
    Checkpoint("open");

    // Inside its column and above its bottom the pointer keeps it open.
    for (const auto &p : std::vector<std::pair<int, int>>{
             {int(kLeft), 5}, {int(kLeft + kWidth), int(kHeight)}, {int(kLeft + 10), -20}})
    {
        MouseMove(p.first, p.second);
        Step();
        EXPECT_TRUE(menu->IsOpening()) << p.first << "," << p.second;
    }
    // The pointer moves to the second item: the pointer picture follows the focus.
    int x, y;
    ASSERT_TRUE(CentreOf(u"AutoPlay", x, y));
    MouseMove(x, y);
    EXPECT_FLOAT_EQ(menu->GetPointerY(), 123 * sy + 16 * sy);
    float lowest = 0;
    for (int i = 0; i < 60; ++i)
    {
        Step();
        lowest = std::min(lowest, menu->GetPointerOffset());
    }
    EXPECT_NEAR(lowest, -10, 0.5f);

    MouseMove(int(kLeft + kWidth + 1), 50); // out of its column
    EXPECT_FALSE(menu->IsOpening());
    EXPECT_FALSE(menu->IsBuilt());
    EXPECT_FALSE(pass->IsVisible());
    state_log.clear();
    int frames = 0;
    while (Depth() == 2 && frames < 100)
    {
        Step();
        ++frames;
    }
    EXPECT_EQ(frames, 20); // 5 pixels a frame back to where it started
    EXPECT_EQ(state_log, (std::vector<std::string>{"MsgBoxMenu 4"}));
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit"}));
}

TEST_F(QuickMenuTest, AButtonAtOrBelowTheTopOpensAtOnceAndEndsWhereItStarted)
{
    StartWaiting();
    for (const float top : {0.0f, 37.0f})
    {
        SCOPED_TRACE(top);
        OpenMenu(top);
        EXPECT_FLOAT_EQ(menu->GetTop(), 0);
        EXPECT_TRUE(menu->IsBuilt());
        MouseMove(0, int(kHeight + 10));
        Step();
        EXPECT_EQ(Depth(), 1); // at once: it is back at (or past) where it started
    }
}

TEST_F(QuickMenuTest, EachSwitchAsksFirstAndNoChangesNothing)
{
    StartWaiting();
    const struct
    {
        const char16_t *item;
        bool yes;
        bool skipping, auto_continue;
    } cases[] = {
        {u"AutoPass", false, false, false},
        {u"AutoPlay", false, false, false},
        {u"AutoPass", true, true, false},
        {u"AutoPlay", true, true, true},
    };
    OpenMenu(-20);
    FramesToBuild();
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::test::U8(c.item) + (c.yes ? " yes" : " no"));
        ClearSounds();
        ASSERT_TRUE(ClickOn(c.item));
        Step();
        ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "MsgBoxMenu", "HGPSelect"}));
        ASSERT_TRUE(ClickOn(c.yes ? u"yes" : u"no"));
        Step();
        EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "MsgBoxMenu"}));
        EXPECT_EQ(system_sounds, (std::vector<int>{9, c.yes ? 11 : 12}));
        EXPECT_EQ(game->IsSkipping(), c.skipping);
        EXPECT_EQ(game->AutoContinue, c.auto_continue);
        EXPECT_EQ(avg::config::graphics_config.AutoContinue != 0, c.auto_continue);
        EXPECT_TRUE(menu->IsOpening()); // open until the pointer leaves
    }
    // Esc on the question: no answer at all.
    ASSERT_TRUE(ClickOn(u"AutoPass"));
    Step();
    game->SkipOff();
    Key(hgl::key::Esc);
    Step();
    EXPECT_FALSE(game->IsSkipping());
}

TEST_F(QuickMenuTest, TheFrameButtonOpensItOnlyWhenTheGameIsFree)
{
    StartWaiting(u"func main() { MES(\"一\"); SELECT(\"S\", 2); SELDT(\"甲\"); SELDT(\"乙\"); T_MARK(1); }");
    ASSERT_NE(dynamic_cast<hgl::gui::MsgButton *>(game->GetFrameButton()), nullptr);
    EXPECT_EQ(game->Control->GetObjectList()[0], game->GetFrameButton()); // drawn first
    // The frame button hangs from the top edge, its bottom in view.
    EXPECT_LT(game->GetFrameButton()->Top, 0.0f);
    EXPECT_GT(game->GetFrameButton()->Top + game->GetFrameButton()->Height, 0.0f);

    game->AutoContinue = true;
    PointAtFrameButton();
    Step();
    EXPECT_EQ(Depth(), 1);
    MouseMove(10, 400); // leave, so that the next move enters again
    game->AutoContinue = false;

    PointAtFrameButton();
    Step();
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "MsgBoxMenu"}));
    menu = ActiveAs<MsgBoxMenu>();
    EXPECT_FLOAT_EQ(menu->GetTop(), std::min(0.0f, game->GetFrameButton()->Top + 5));
    FramesToBuild();
    MouseMove(10, 400);
    Steps(60);
    ASSERT_EQ(Depth(), 1);
    EXPECT_FALSE(game->GetFrameButton()->HasFocus());

    // The choice is open now: the frame button leaves it alone.
    LeftClick(500, 300);
    Steps(3);
    ASSERT_EQ(game->GetState(), avg::gsChoice);
    PointAtFrameButton();
    Step();
    EXPECT_EQ(Depth(), 1);
    // Enter still goes to the story, not to the frame button.
    EXPECT_TRUE(Key(hgl::key::Enter));
}
