// The in-game menu over a running game on the screen harness: the drop-in and the
// rise, the brackets, save and load through the fades, the options and the
// backlog over it, and the way back to the title.
#include "game/screenkit/MarkerLinks.h"
#include "game/screenkit/ScreenHarness.h"
#include "game/stagekit/FakeMessages.h"

#include "game/screens/menu/NewMenuUnit.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/screens/widgets/HGPSelect.h"
#include "gui/HGPButton.h"

#include <functional>

namespace
{
using avg::menu::NewMenuUnit;
using avg::menu::OnlyForNewMenu;

class MenuTest : public ScreenTest
{
  protected:
    screenkit::MarkerLinks links;
    NewMenuUnit *menu = nullptr;

    int Width() const override { return 512; }
    int Height() const override { return 384; }

    // The demo story waiting at its first message, then Esc.
    void OpenMenu()
    {
        StartGame(u"MAIN00");
        links.Install(wiring);
        Step();
        ASSERT_TRUE(Key(hgl::key::Esc));
        Step();
        menu = ActiveAs<NewMenuUnit>();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(state_log.back(), "GameUnit 3 NewMenuUnit");
    }
    bool StepUntil(const std::function<bool()> &done, int limit = 600, int ms = stagekit::kFrameMs)
    {
        for (int i = 0; i < limit; ++i)
        {
            if (done()) return true;
            Step(ms);
        }
        return done();
    }
    void Ready()
    {
        ASSERT_TRUE(StepUntil([&] { return menu->IsReady(); }));
    }
    void Press(int item)
    {
        hgl::gui::HGPButton *b = menu->GetButton(item);
        ASSERT_NE(b, nullptr);
        LeftClick(int(b->Left + b->Width / 2), int(b->Top + b->Height / 2));
    }
};
} // namespace

TEST_F(MenuTest, ItemsDropInOneAfterAnotherWhileEveryKeyIsSwallowed)
{
    OpenMenu();
    const float h = menu->GetItemHeight();
    int start[NewMenuUnit::kItemCount], stand[NewMenuUnit::kItemCount];
    std::fill(std::begin(start), std::end(start), -1);
    std::fill(std::begin(stand), std::end(stand), -1);
    // The frame that opened it moved the first item.
    EXPECT_FLOAT_EQ(menu->GetItemY(0), -0.95f * h);
    for (int i = 1; i < NewMenuUnit::kItemCount; ++i)
        EXPECT_FLOAT_EQ(menu->GetItemY(i), -h);
    int frame = 0;
    while (menu->IsDropping())
    {
        ASSERT_LT(frame, 200);
        float before[NewMenuUnit::kItemCount];
        for (int i = 0; i < NewMenuUnit::kItemCount; ++i)
            before[i] = menu->GetItemY(i);
        EXPECT_TRUE(Key(hgl::key::Esc));
        EXPECT_TRUE(Key(hgl::key::Right));
        RightClick(10, 10);
        // Some frames are slow: the items move all the same.
        Step(frame % 7 == 3 ? 400 : stagekit::kFrameMs);
        ++frame;
        EXPECT_FALSE(menu->IsRaising());
        for (int i = 0; i < NewMenuUnit::kItemCount; ++i)
        {
            if (start[i] < 0 && menu->GetItemY(i) > before[i])
            {
                start[i] = frame;
                // Once the one before it has dropped by a quarter of the height.
                if (i > 0)
                {
                    EXPECT_GT(menu->GetItemY(i - 1), -0.75f * h - 1e-3f);
                    EXPECT_LT(before[i - 1], -0.75f * h + 1e-3f);
                }
            }
            if (stand[i] < 0 && menu->GetItemY(i) == 0) stand[i] = frame;
        }
    }
    for (int i = 0; i < NewMenuUnit::kItemCount; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NEAR(stand[i] - start[i], 19, 1); // 20 frames of 0.05 h
        if (i > 1)
        {
            EXPECT_NEAR(start[i] - start[i - 1], 4.5, 0.5);
        }
    }
    EXPECT_EQ(frame, stand[5]);
    // Standing, they became buttons; the first is framed.
    EXPECT_TRUE(menu->IsReady());
    EXPECT_EQ(menu->GetSelected(), 0);
    hgl::gui::HGPButton *first = menu->GetButton(0);
    float l, t, w, hm;
    menu->GetMarker(l, t, w, hm);
    const float my = Height() / 1200.0f;
    EXPECT_NEAR(l, first->Left, 0.5f); // it has breathed once already
    EXPECT_FLOAT_EQ(t, first->Top + 57 * my);
    EXPECT_FLOAT_EQ(hm, first->Height - 57 * my);
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit"}));
}

TEST_F(MenuTest, TheBracketsBreatheAndFollowTheFocus)
{
    OpenMenu();
    Ready();
    // The focus moves on: the brackets frame the new item and breathe from there.
    EXPECT_TRUE(Key(hgl::key::Right));
    EXPECT_EQ(menu->GetSelected(), 1);
    float l0, t0, w0, h0;
    menu->GetMarker(l0, t0, w0, h0);
    EXPECT_FLOAT_EQ(l0, menu->GetButton(1)->Left);
    EXPECT_FLOAT_EQ(w0, menu->GetButton(1)->Width);
    Steps(15);
    float l, t, w, h;
    menu->GetMarker(l, t, w, h);
    // Out for 15 frames, then in again, every 16 frames thereafter.
    EXPECT_FLOAT_EQ(l, l0 - 7.5f);
    EXPECT_FLOAT_EQ(w, w0 + 15);
    Steps(16);
    menu->GetMarker(l, t, w, h);
    EXPECT_FLOAT_EQ(l, l0 - 7.5f + 8);
    EXPECT_FLOAT_EQ(w, w0 + 15 - 16);

    Step();
    Checkpoint("open");
}

TEST_F(MenuTest, EscRaisesTheItemsBacklogFirstAndTheGameGoesOn)
{
    OpenMenu();
    Ready();
    const float h = menu->GetItemHeight();
    ASSERT_TRUE(Key(hgl::key::Esc));
    EXPECT_TRUE(menu->IsRaising());
    EXPECT_EQ(menu->GetSelected(), -1);
    EXPECT_FALSE(menu->GetButton(0)->IsVisible());
    int leave[NewMenuUnit::kItemCount];
    std::fill(std::begin(leave), std::end(leave), -1);
    int frame = 0;
    while (Depth() > 1)
    {
        ASSERT_LT(frame, 200);
        Step();
        ++frame;
        if (Depth() == 1) break;
        for (int i = 0; i < NewMenuUnit::kItemCount; ++i)
            if (leave[i] < 0 && menu->GetItemY(i) < 0) leave[i] = frame;
    }
    for (int i = 0; i + 1 < NewMenuUnit::kItemCount; ++i)
        EXPECT_GT(leave[i], leave[i + 1]) << i;
    EXPECT_EQ(leave[5], 1);
    (void)h;
    EXPECT_EQ(Stack(), std::vector<std::string>{"GameUnit"});
    EXPECT_EQ(state_log.back(), "NewMenuUnit 4");
    // The game takes input again.
    EXPECT_TRUE(Key(hgl::key::Esc));
}

TEST_F(MenuTest, TheRightClickAndTheReturnItemRaiseToo)
{
    OpenMenu();
    Ready();
    EXPECT_TRUE(flow->Proc_MouseRightDown(5, 5, 0));
    EXPECT_TRUE(menu->IsRaising());
    ASSERT_TRUE(StepUntil([&] { return Depth() == 1; }));

    ASSERT_TRUE(Key(hgl::key::Esc));
    Step();
    menu = ActiveAs<NewMenuUnit>();
    ASSERT_NE(menu, nullptr);
    Ready();
    Press(NewMenuUnit::itReturn);
    EXPECT_TRUE(menu->IsRaising());
    ASSERT_TRUE(StepUntil([&] { return Depth() == 1; }));
}

namespace
{
class MenuRecordTest : public MenuTest, public ::testing::WithParamInterface<int>
{
};
} // namespace

TEST_P(MenuRecordTest, SaveAndLoadFadeOutRestOnBlackCallAndFadeBackIn)
{
    const int item = GetParam();
    const std::string screen = item == NewMenuUnit::itSave ? "save" : "load";
    OpenMenu();
    Ready();
    state_log.clear();
    Press(item);
    EXPECT_TRUE(menu->IsFadeRequested());
    int frames = 0;
    while (state_log.empty())
    {
        ASSERT_LT(frames, 200);
        // Nothing else can be chosen meanwhile.
        EXPECT_TRUE(Key(hgl::key::Esc));
        Press(NewMenuUnit::itOption);
        Step();
        ++frames;
        EXPECT_FALSE(menu->IsRaising());
        if (frames == 60)
        {
            EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
        }
    }
    EXPECT_NEAR(frames, 70, 1); // 50 of fade, 20 of black
    EXPECT_EQ(links.opened, std::vector<std::string>{screen});
    EXPECT_EQ(state_log[0], "NewMenuUnit 2 MarkerScreen");
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit", "MarkerScreen"}));
    EXPECT_FALSE(menu->IsVisible());
    if (item == NewMenuUnit::itSave)
    {
        EXPECT_EQ(links.saved_game, game);
    }

    Steps(5);
    Active()->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    ASSERT_EQ(Active(), menu);
    EXPECT_TRUE(menu->IsCalled());
    ASSERT_TRUE(StepUntil([&] { return !menu->IsFadeRequested(); }));
    EXPECT_EQ(menu->GetAlpha(), 1.0f);
    // Its items in place and working again.
    EXPECT_FLOAT_EQ(menu->GetItemY(3), 0);
    Press(NewMenuUnit::itOption);
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit", "MarkerScreen"}));
}

INSTANTIATE_TEST_SUITE_P(Records, MenuRecordTest,
                         ::testing::Values(int(NewMenuUnit::itSave), int(NewMenuUnit::itLoad)),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return info.param == NewMenuUnit::itSave ? std::string("Save")
                                                                      : std::string("Load");
                         });

TEST_F(MenuTest, OptionsOpenOverTheMenuAndReturnToIt)
{
    OpenMenu();
    Ready();
    Press(NewMenuUnit::itOption);
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit", "MarkerScreen"}));
    EXPECT_EQ(MarkerName(Active()), "options");
    EXPECT_EQ(links.option_message, game->GetMessageStage());
    EXPECT_TRUE(menu->IsVisible());
    Active()->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    EXPECT_EQ(Active(), menu);
    EXPECT_TRUE(Key(hgl::key::Esc));
    EXPECT_TRUE(menu->IsRaising());
}

TEST_F(MenuTest, TheBacklogItemOpensTheBacklogOnlyWithAHistory)
{
    stagekit::FakeMessages messages;
    Prepare();
    links.Install(wiring);
    Open(new MarkerScreen("game"));
    menu = new NewMenuUnit(wiring, nullptr, &messages);
    Open(menu);
    Step();
    Ready();
    Press(NewMenuUnit::itHistory);
    Step();
    EXPECT_EQ(Active(), menu);
    EXPECT_TRUE(links.opened.empty());

    messages.Add(u"", u"雪一直下着。");
    Press(NewMenuUnit::itHistory);
    Step();
    EXPECT_EQ(MarkerName(Active()), "history");
    EXPECT_EQ(state_log.back(), "NewMenuUnit 3 MarkerScreen");
    Active()->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    EXPECT_EQ(Active(), menu);
}

TEST_F(MenuTest, NoToTheTitleQuestionLeavesTheMenuOpen)
{
    OpenMenu();
    Ready();
    ClearSounds();
    Press(NewMenuUnit::itTitle);
    Step();
    ASSERT_NE(ActiveAs<HGPSelect>(), nullptr);
    EXPECT_EQ(system_sounds, std::vector<int>{9});
    Steps(5);
    // The no button has the focus.
    EXPECT_TRUE(Key(hgl::key::Enter));
    Steps(2);
    EXPECT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit"}));
    EXPECT_TRUE(Key(hgl::key::Esc));
    EXPECT_TRUE(menu->IsRaising());
}

TEST_F(MenuTest, YesFadesEverythingToBlackAndLeavesOnlyTheTitle)
{
    OpenMenu();
    Ready();
    Press(NewMenuUnit::itTitle);
    Steps(5);
    ClearSounds();
    state_log.clear();
    auto *question = ActiveAs<HGPSelect>();
    ASSERT_NE(question, nullptr);
    question->GetYesButton()->Click();
    Step();
    // Pushed over the question instead of its own return.
    EXPECT_EQ(state_log.front(), "HGPSelect 3 OnlyForNewMenu");
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "NewMenuUnit", "HGPSelect", "OnlyForNewMenu"}));
    auto *fade = ActiveAs<OnlyForNewMenu>();
    EXPECT_TRUE(fade->IsHolding());
    int frames = 1;
    while (Depth() > 1)
    {
        ASSERT_LT(frames, 200);
        Step();
        ++frames;
        if (frames == 50)
        {
            EXPECT_NEAR(fade->GetAlpha(), 0.5f, 0.02f);
        }
    }
    EXPECT_NEAR(frames, 101, 2);
    EXPECT_EQ(Stack(), std::vector<std::string>{"NewStartMenu"});
    game = nullptr;
    auto *title = ActiveAs<NewStartMenu>();
    EXPECT_FALSE(title->IsFirstStart());
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "music BGM33 loop"), sounds.end());
    // The title comes up from black.
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(Width() / 2, Height() / 2), {0, 0, 0, 255}));
}

TEST_F(MenuTest, AMissingItemPictureStillDropsIn)
{
    AddData(u"MenuRes\\Save.HGP", {1, 2, 3});
    OpenMenu();
    Ready();
    EXPECT_TRUE(Key(hgl::key::Esc));
    EXPECT_TRUE(menu->IsRaising());
}

namespace
{
class MenuLayoutTest : public ScreenCanvasTest
{
};
} // namespace

TEST_P(MenuLayoutTest, SixItemsCentredAcrossTheCanvas)
{
    Prepare();
    Open(new MarkerScreen("game"));
    auto *menu = new NewMenuUnit(wiring, nullptr, nullptr);
    Open(menu);
    for (int i = 0; i < 200 && !menu->IsReady(); ++i)
        Step();
    ASSERT_TRUE(menu->IsReady());
    const float mx = Width() / 1600.0f, my = Height() / 1200.0f;
    const float w = 64 * mx, h = 300 * my, g = 40 * mx;
    for (int i = 0; i < NewMenuUnit::kItemCount; ++i)
    {
        SCOPED_TRACE(i);
        hgl::gui::HGPButton *b = menu->GetButton(i);
        EXPECT_FLOAT_EQ(b->Left, (w + g) * i + (Width() - 6 * w - 5 * g) / 2);
        EXPECT_FLOAT_EQ(b->Top, 0);
        EXPECT_FLOAT_EQ(b->Width, w);
        EXPECT_FLOAT_EQ(b->Height, h);
        EXPECT_EQ(b->Index, i);
    }
    Step();
    Checkpoint("menu");
}

INSTANTIATE_TEST_SUITE_P(Canvases, MenuLayoutTest, ::testing::ValuesIn(screenkit::kCanvases),
                         screenkit::CanvasName);
