// Choices opened by compiled scripts and picked by keys, joystick and pointer.
#include "ChoiceTestKit.h"

#include "game/core/GameWiring.h"

#include <vector>

using avg::gsChoice;
using avg::gsRunning;

TEST_F(ChoiceTest, OpensWithTheShownOptionsInRows)
{
    Run(choicekit::kThree);
    EXPECT_EQ(unit->GetState(), gsChoice);
    EXPECT_TRUE(marks.empty());
    avg::SelectUnit &s = Select();
    ASSERT_EQ(s.GetCount(), 2);
    ASSERT_EQ(s.GetOptions().GetCount(), 3);
    EXPECT_EQ(s.GetOptions()[1], hgl::String(u" "));
    EXPECT_EQ(s.GetButton(0)->GetCaption(), hgl::String(u"甲"));
    EXPECT_EQ(s.GetButton(1)->GetCaption(), hgl::String(u"丙"));
    // The hidden option keeps its position: the second button is position 2.
    EXPECT_EQ(s.GetButton(0)->Index, 0);
    EXPECT_EQ(s.GetButton(1)->Index, 2);

    // Rows step by (5H + 8G) / (n + 1), counting the hidden option; the column
    // starts a third of the canvas height in; the menu sits above the bottom.
    const float step = (5 * H() + 8 * G()) / 4;
    const float first = std::trunc(step - 0.5f * H());
    EXPECT_EQ(s.GetButton(0)->Top.Get(), first);
    EXPECT_EQ(s.GetButton(1)->Top.Get(), first + std::trunc(step));
    EXPECT_EQ(s.GetButton(0)->Left.Get(), float(stagekit::kCanvasH / 3));
    EXPECT_EQ(s.GetButton(0)->Height.Get(), H());
    EXPECT_FLOAT_EQ(s.GetButton(0)->Width.Get(), avg::TextFont->GetStringWidth(u"甲"));
    const hgl::RectScope2<float> menu = s.GetMenuRect();
    EXPECT_EQ(menu.Left, 0);
    EXPECT_FLOAT_EQ(menu.Top, stagekit::kCanvasH - 5 * H() - 3 * G() - 30);
    for (int i = 0; i < 2; ++i)
        EXPECT_LE(s.GetButton(i)->Top.Get() + s.GetButton(i)->Height.Get(), menu.Height) << i;
    // The first button has the focus and the highlight around it.
    EXPECT_EQ(s.GetFocusButton(), s.GetButton(0));
    EXPECT_FLOAT_EQ(s.GetHighlight().Left, s.GetButton(0)->Left.Get() - 2 * G());
    EXPECT_FLOAT_EQ(s.GetHighlight().Top, first - G());
    EXPECT_FLOAT_EQ(s.GetHighlight().Width, s.GetButton(0)->Width.Get() + 4 * G());
    EXPECT_FLOAT_EQ(s.GetHighlight().Height, H() + 2 * G());
    EXPECT_FALSE(s.IsHighlightSeen());
}

TEST_F(ChoiceTest, KeysMoveTheFocusAndPick)
{
    const struct
    {
        std::vector<int> keys;
        int value;
    } cases[] = {
        {{hgl::key::Enter}, 0},
        {{hgl::key::Down, hgl::key::Enter}, 2},
        {{hgl::key::Right, hgl::key::Space}, 2},
        {{hgl::key::Up, hgl::key::Enter}, 2}, // wraps to the last
        {{hgl::key::Down, hgl::key::Down, hgl::key::Enter}, 0},
        {{hgl::key::Left, hgl::key::Left, hgl::key::Space}, 0},
    };
    Run(u"TOP:\n" + std::u16string(choicekit::kThree) + u"goto TOP;\n");
    size_t picks = 0;
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.value);
        ASSERT_EQ(Select().GetCount(), 2);
        ASSERT_EQ(Select().GetFocusButton(), Select().GetButton(0));
        for (int key : c.keys)
            Key(key);
        // The pick is only recorded: the choice stays until the next update.
        EXPECT_EQ(Select().GetCount(), 2);
        EXPECT_EQ(unit->GetState(), gsChoice);
        Key(hgl::key::Down); // moves the focus, but the pick stands
        Key(hgl::key::Enter);
        unit->GetValues().RSET(u"V", u"-1");
        Step();
        EXPECT_EQ(Select().GetCount(), 0);
        EXPECT_EQ(Value(u"V"), c.value);
        EXPECT_TRUE(avg::IsSelectSeen(u"V" + hgl::String(c.value)));
        Step(); // the script goes on and asks again
        EXPECT_EQ(marks.size(), ++picks);
    }
    EXPECT_FALSE(avg::IsSelectSeen(u"V1"));
}

TEST_F(ChoiceTest, JoystickButtonsStandForKeys)
{
    const struct
    {
        std::vector<int> buttons;
        int value;
    } cases[] = {
        {{6}, 0}, {{2, 6}, 2}, {{4, 6}, 2}, {{1, 6}, 2}, {{3, 3, 6}, 0}, {{5, 8, 6}, 0},
    };
    Run(u"TOP:\n" + std::u16string(choicekit::kThree) + u"goto TOP;\n");
    wiring.screens.history = [](avg::GameUnit &) { return new MarkerScreen("history"); };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.buttons.size() * 10 + c.buttons[0]);
        ASSERT_EQ(Select().GetCount(), 2);
        for (int button : c.buttons)
            Joystick(button);
        // Button 1 moved the focus instead of opening the backlog.
        EXPECT_EQ(unit->NextObject.Get(), nullptr);
        unit->GetValues().RSET(u"V", u"-1");
        Step();
        EXPECT_EQ(Value(u"V"), c.value);
        EXPECT_EQ(unit->GetState(), gsRunning);
        Step();
    }
}

TEST_F(ChoiceTest, PointerFocusesAndClicksPick)
{
    Run(choicekit::kThree);
    avg::SelectUnit &s = Select();
    int x0, y0, x1, y1;
    s.GetButton(0);
    ButtonCentre(0, x0, y0);
    ButtonCentre(1, x1, y1);
    MouseMove(x1, y1);
    EXPECT_EQ(s.GetFocusButton(), s.GetButton(1));
    EXPECT_FLOAT_EQ(s.GetHighlight().Top, s.GetButton(1)->Top.Get() - G());

    // Beside the buttons, and a press carried off a button, pick nothing.
    LeftClick(x1 + 400, y1);
    unit->Proc_MouseLeftDown(x1, y1, 0);
    unit->Proc_MouseLeftUp(x1, y1 - 200, 0);
    Step();
    EXPECT_EQ(s.GetCount(), 2);
    EXPECT_EQ(unit->GetState(), gsChoice);

    LeftClick(x1, y1);
    LeftClick(x0, y0); // before the update: ignored
    EXPECT_EQ(s.GetCount(), 2);
    Step();
    EXPECT_EQ(Value(u"V"), 2);
    EXPECT_EQ(s.GetCount(), 0);
    Step();
    EXPECT_EQ(marks, std::vector<int>{1});
}

TEST_F(ChoiceTest, ALoneOptionLiesInsideTheMenuAndTakesTheClick)
{
    Run(u"SELECT(\"V\", 2);\nSELDT(\"\");\nSELDT(\"乙\");\nT_MARK(1);\n");
    avg::SelectUnit &s = Select();
    ASSERT_EQ(s.GetCount(), 1);
    EXPECT_EQ(s.GetFocusButton(), s.GetButton(0)); // the first created, though not position 0
    KQ7Button *b = s.GetButton(0);
    // Below the height one row of the large font would give the menu.
    EXPECT_GT(b->Top.Get() + b->Height.Get(), float(avg::LargeTextFont->CharHeight));
    EXPECT_GE(s.GetMenuRect().Height, b->Top.Get() + b->Height.Get());
    int x, y;
    ButtonCentre(0, x, y);
    LeftClick(x, y);
    Step();
    EXPECT_EQ(Value(u"V"), 1);
}

TEST_F(ChoiceTest, SeenOptionsCarryTheMarkAndAWiderHighlight)
{
    // The second time round, the option picked the first time has been seen.
    Run(u"TOP:\n" + std::u16string(choicekit::kThree) + u"goto TOP;\n");
    Key(hgl::key::Down);
    Key(hgl::key::Enter);
    Steps(2);
    avg::SelectUnit &s = Select();
    ASSERT_EQ(s.GetCount(), 2);
    EXPECT_EQ(s.GetButton(0)->Index, 0);
    EXPECT_EQ(s.GetButton(1)->Index, 12);
    EXPECT_FALSE(s.IsHighlightSeen());
    const float plain = s.GetHighlight().Width - s.GetButton(0)->Width.Get();
    Key(hgl::key::Down);
    EXPECT_TRUE(s.IsHighlightSeen());
    const float flag_w = stagekit::kCanvasW * 32.0f / 1600;
    EXPECT_FLOAT_EQ(s.GetHighlight().Width - s.GetButton(1)->Width.Get(), plain + G() + flag_w);
    Key(hgl::key::Enter);
    Step();
    EXPECT_EQ(Value(u"V"), 2); // the position, not the index
}

TEST_F(ChoiceTest, PointerSwingsBetweenMinusTenAndZero)
{
    Run(choicekit::kThree);
    std::vector<float> offsets;
    for (int i = 0; i < 60; ++i)
    {
        Step();
        offsets.push_back(Select().GetFlagOffset());
    }
    // Started at 0 before the first drawn frame of the open choice.
    EXPECT_NEAR(offsets[0], -0.8f, 1e-4);
    EXPECT_NEAR(offsets[23], -10, 1e-4);
    EXPECT_NEAR(offsets[24], -9.6f, 1e-4);
    EXPECT_NEAR(offsets[48], 0, 1e-4);
    EXPECT_NEAR(offsets[49], -0.4f, 1e-4);
    for (float o : offsets)
    {
        EXPECT_GE(o, -10);
        EXPECT_LE(o, 0);
    }
}

TEST_F(ChoiceTest, SwitchFlagsHideOrShowAnOption)
{
    const struct
    {
        const char16_t *flags;
        bool shown;
    } cases[] = {
        {u"\" \", \" \", \" \"", true},       {u"\" \", \"UNSET\", \" \"", false},
        {u"\" \", \"SETV\", \" \"", true},    {u"\"SETV\", \"SETV\", \"ON\"", true},
        {u"\"SETV\", \"OFF\", \" \"", false}, {u"\"\", \" \", \" \"", false},
    };
    std::u16string body = u"RSET(\"SETV\", \"1\");\n";
    for (const auto &c : cases)
        body +=
            u"SELECT(\"V\", 2);\nSELDT(\"甲\");\nSELDT_Switch(\"乙\", " + std::u16string(c.flags) + u");\n";
    Run(body);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::String(c.flags).ToStdString().size());
        ASSERT_EQ(Select().GetOptions().GetCount(), 2);
        EXPECT_EQ(Select().GetCount(), c.shown ? 2 : 1);
        EXPECT_EQ(Select().GetOptions()[1], hgl::String(c.shown ? u"乙" : u" "));
        Key(hgl::key::Enter);
        Steps(2);
    }
}

TEST_F(ChoiceTest, AChoiceWithNothingToShowDoesNotOpen)
{
    Run(u"RSET(\"V\", \"7\");\nSELECT(\"V\", 2);\nSELDT(\"\");\nSELDT_Switch(\"乙\", \"UNSET\", \" \", \" "
        u"\");\n"
        u"T_MARK(1);\nMES(\"after\");\n");
    EXPECT_EQ(marks, std::vector<int>{1}); // the script never paused for it
    EXPECT_EQ(Select().GetCount(), 0);
    EXPECT_NE(unit->GetState(), gsChoice);
    EXPECT_EQ(Value(u"V"), 7);
    EXPECT_FALSE(avg::SaveFileExists(u"1"));
    EXPECT_TRUE(log.ContainsError(u"选择项<V>没有可以显示的选项，不打开")) << log.Dump();
}

TEST_F(ChoiceTest, CountsPastTenAreCutToTen)
{
    std::u16string body = u"SELECT(\"V\", 12);\n";
    for (int i = 0; i < 12; ++i)
        body += u"SELDT(\"选项" + hgl::String(i).ToStdString() + u"\");\n";
    Run(body);
    EXPECT_TRUE(log.ContainsError(u"选择项<V>的选项数<12>超过10个，按10个处理")) << log.Dump();
    ASSERT_EQ(Select().GetCount(), 10);
    for (int i = 0; i < 9; ++i)
        Key(hgl::key::Down);
    Key(hgl::key::Enter);
    Step();
    EXPECT_EQ(Value(u"V"), 9);
}

TEST_F(ChoiceTest, ACountThatNeverComesKeepsTenOptions)
{
    std::u16string body = u"SELECT(\"W\", 0);\n";
    for (int i = 0; i < 11; ++i)
        body += u"SELDT(\"x\");\n";
    Run(body + u"T_MARK(1);\n");
    EXPECT_TRUE(log.ContainsError(u"选择项<W>的选项数<0>不正确，不会打开")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"选择项<W>超过10个选项，选项<x>被忽略")) << log.Dump();
    EXPECT_EQ(Select().GetOptions().GetCount(), 10);
    EXPECT_EQ(Select().GetCount(), 0);
    EXPECT_EQ(marks, std::vector<int>{1});
}

TEST_F(ChoiceTest, CaseGotoJumpsOnlyOnItsValue)
{
    Run(u"RSET(\"W\", \"1\");\nSWITCH(\"W\", 5);\nCaseGoto(0, \"ZERO\");\nCaseGoto(1, \"ONE\");\nT_MARK(9);\n"
        u"ZERO:\nT_MARK(0);\nONE:\nT_MARK(1);\nCaseGoto(1, \"NOWHERE\");\nT_MARK(2);\n"
        u"CaseGoto(3, \"NOWHERE\");\nT_MARK(3);\n");
    EXPECT_EQ(marks, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(log.ContainsError(u"跳转失败：<1:NOWHERE>")) << log.Dump();
    EXPECT_FALSE(log.ContainsPart(u"<3:NOWHERE>"));
}

TEST_F(ChoiceTest, CaseGotoLoopsWithinOneRun)
{
    on_mark = [this](int)
    {
        if (marks.size() == 2000) unit->GetValues().RSET(u"GO", u"0");
    };
    Run(u"RSET(\"GO\", \"1\");\nSWITCH(\"GO\", 0);\nTOP:\nT_MARK(1);\nCaseGoto(1, \"TOP\");\nT_MARK(2);\n");
    ASSERT_EQ(marks.size(), 2001u);
    EXPECT_EQ(marks.back(), 2);
}

TEST_F(ChoiceTest, PickedChoiceBranchesThroughCaseGoto)
{
    Run(std::u16string(choicekit::kThree) +
        u"CaseGoto(0, \"A\");\nCaseGoto(2, \"C\");\nT_MARK(9);\nA:\nT_MARK(10);\ngoto "
        u"E;\nC:\nT_MARK(12);\nE:\n"
        u"T_MARK(20);\n");
    Key(hgl::key::Down);
    Key(hgl::key::Enter);
    Steps(2);
    EXPECT_EQ(marks, (std::vector<int>{1, 12, 20}));
}

namespace
{
// The minimal message window that remembers the text speeds it was given.
class SpeedRecorder : public avg::MinimalMessageStage
{
  public:
    static inline std::vector<int> speeds;
    using avg::MinimalMessageStage::MinimalMessageStage;
    void SetTextSpeed(int speed) override { speeds.push_back(speed); }
};
} // namespace

TEST_F(ChoiceTest, APickRestoresTheTextSpeedAndKeepsAutoMode)
{
    SpeedRecorder::speeds.clear();
    wiring.stage.message = [](avg::GameUnit &u) -> avg::MessageStage * { return new SpeedRecorder(u); };
    Run(u"MSPEED(70);\n" + std::u16string(choicekit::kThree));
    EXPECT_EQ(SpeedRecorder::speeds, std::vector<int>{70});
    ASSERT_TRUE(unit->AutoMode);
    Key(hgl::key::Enter);
    Step();
    EXPECT_EQ(SpeedRecorder::speeds, (std::vector<int>{70, 0})); // 0: the configured speed
    EXPECT_TRUE(unit->AutoMode);
}

TEST_F(ChoiceTest, ReturnFromACalledScreenShowsTheMenuAgain)
{
    Run(choicekit::kThree);
    Select().SetAlpha(0.25f);
    EXPECT_FLOAT_EQ(Select().GetButton(1)->Theme.Text.a, 0.25f);
    unit->ProcReturn(nullptr);
    EXPECT_FLOAT_EQ(Select().Alpha.Get(), 1);
    EXPECT_FLOAT_EQ(Select().GetButton(0)->Theme.Text.a, 1);
    EXPECT_FLOAT_EQ(Select().GetButton(1)->Theme.Shadow.a, 1);
}

TEST_F(ChoiceTest, OpeningEndsSkipMode)
{
    with_fonts = true;
    AddScript(u"T", u"func main()\n{\n" + std::u16string(choicekit::kThree) + u"\n}\n");
    Start(u"T");
    unit->SkipOn();
    Step();
    EXPECT_EQ(unit->GetState(), gsChoice);
    EXPECT_FALSE(unit->IsSkipping());
}

// On a 16:9 canvas the column still starts a third of the height in and the pointer
// keeps its share of the width.
class WideChoiceTest : public ChoiceTest
{
  protected:
    int Width() const override { return stagekit::kWideW; }
    int Height() const override { return stagekit::kWideH; }
};

TEST_F(WideChoiceTest, LayoutFollowsTheCanvas)
{
    Run(u"TOP:\n" + std::u16string(choicekit::kThree) + u"goto TOP;\n");
    Key(hgl::key::Enter);
    Steps(2);
    avg::SelectUnit &s = Select();
    ASSERT_EQ(s.GetCount(), 2);
    EXPECT_EQ(s.GetButton(0)->Left.Get(), float(stagekit::kWideH / 3));
    EXPECT_FLOAT_EQ(s.GetMenuRect().Top,
                    stagekit::kWideH - 5 * H() - 3 * G() - 30 * (float(stagekit::kWideH) / 768));
    EXPECT_FLOAT_EQ(s.GetMenuRect().Width,
                    float(stagekit::kWideH) / 3 + std::trunc(s.GetButton(0)->Width.Get()));
    ASSERT_TRUE(s.IsHighlightSeen());
    EXPECT_FLOAT_EQ(s.GetHighlight().Width,
                    s.GetButton(0)->Width.Get() + 5 * G() + stagekit::kWideW * 32.0f / 1600);
    int x, y;
    ButtonCentre(1, x, y);
    LeftClick(x, y);
    Step();
    EXPECT_EQ(Value(u"V"), 2);
}
